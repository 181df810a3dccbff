// The INI file's read-modify-write round trip on a file the fuzzer writes: after a write,
// reading the key gives the written value and every other key reads as before.
//
// Input: section, key and value (each up to a lone backslash), then the file's bytes.
#include "fuzz_support.h"
#include "base/ini_file.h"

#include <QRegularExpression>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <utility>

namespace {

using Name = std::pair<QString, QString>; // section, key

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool sameName(const Name &a, const Name &b) { return sameName(a.first, b.first) && sameName(a.second, b.second); }

// The section and key names a file holds, roughly as a reader sees them: only candidates to
// read, so it need not agree with the reader on odd lines. Each is read twice, whole file and
// all, so a few dozen will do; names that differ only in case read the same entry, once.
constexpr int kMostNames = 32;
QList<Name> namesIn(const QByteArray &text)
{
    static const QRegularExpression lineEnd("\r\n|\r|\n");
    QList<Name> names;
    QString section;
    for (const QString &line : QString::fromUtf8(text).split(lineEnd)) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.contains(']'))
            section = t.mid(1, t.indexOf(']') - 1).trimmed();
        else if (t.contains('=') && names.size() < kMostNames) {
            const Name name{section, t.left(t.indexOf('=')).trimmed()};
            if (std::none_of(names.cbegin(), names.cend(), [&](const Name &seen) { return sameName(seen, name); }))
                names.append(name);
        }
    }
    return names;
}

bool hasLineBreak(const QString &s) { return s.contains('\r') || s.contains('\n'); }

// What a profile file can hold as written: a value without line breaks or surrounding blanks
// that fits the 254-byte buffer; a key that starts neither a comment nor a section header and
// holds no "="; a section name without "]".
bool canHold(const QString &section, const QString &key, const QString &value)
{
    return value == value.trimmed() && !hasLineBreak(value) && value.toUtf8().size() <= 254 &&
           key == key.trimmed() && !hasLineBreak(key) && !key.contains('=') && !key.startsWith(';') &&
           !key.startsWith('[') && section == section.trimmed() && !hasLineBreak(section) && !section.contains(']');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzzScratchFolder() + "/config.ini";
    FuzzedDataProvider in(data, size);
    const QString section = QString::fromStdString(in.ConsumeRandomLengthString(64));
    const QString key = QString::fromStdString(in.ConsumeRandomLengthString(64));
    const QString value = QString::fromStdString(in.ConsumeRandomLengthString(300));
    const std::string text = in.ConsumeRemainingBytesAsString();
    const QByteArray file(text.data(), qsizetype(text.size()));
    writeScratchFile(path, file);

    const IniFile ini(path);
    const QString missing = QStringLiteral("\x01missing");
    FUZZ_CHECK(ini.read(section, key, missing).toUtf8().size() <= 254);
    ini.readInt(section, key);
    QList<std::pair<Name, QString>> before;
    for (const Name &name : namesIn(file))
        before.append({name, ini.read(name.first, name.second, missing)});

    if (!canHold(section, key, value))
        return 0;
    FUZZ_CHECK(ini.write(section, key, value));
    FUZZ_CHECK(ini.read(section, key, missing) == value);
    for (const auto &[name, old] : before) {
        if (!sameName(name, Name{section, key}))
            FUZZ_CHECK(ini.read(name.first, name.second, missing) == old);
    }
    return 0;
}
