#include "base/ini_file.h"

#include "base/file_io.h"

#include <limits>

namespace {

constexpr int kProfileBufferBytes = 255;

struct Line {
    QString text;
    bool isSection(QString *name = nullptr) const
    {
        const QString t = text.trimmed();
        if (!t.startsWith('[') || t.indexOf(']') < 0)
            return false;
        if (name)
            *name = t.mid(1, t.indexOf(']') - 1).trimmed();
        return true;
    }
    // A "key=value" line; comments (";") and lines without "=" are not keys.
    bool isKey(QString *key = nullptr, QString *value = nullptr) const
    {
        const int eq = text.indexOf('=');
        if (eq < 0 || text.trimmed().startsWith(';'))
            return false;
        if (key)
            *key = text.left(eq).trimmed();
        if (value)
            *value = text.mid(eq + 1).trimmed();
        return true;
    }
};

QList<Line> loadLines(const QString &path, bool *exists)
{
    QList<Line> lines;
    const auto bytes = readWholeFile(path);
    *exists = bytes.has_value();
    if (bytes) {
        for (const QByteArray &raw : splitLines(*bytes))
            lines.append(Line{QString::fromUtf8(raw)});
    }
    return lines;
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Index of the first line of the first section named `section`, or -1.
int findSection(const QList<Line> &lines, const QString &section)
{
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (lines[i].isSection(&name) && sameName(name, section))
            return i;
    }
    return -1;
}

QString cutToBytes(const QString &value, int maxBytes)
{
    QString cut = value;
    while (cut.toUtf8().size() > maxBytes)
        cut.chop(cut.size() >= 2 && cut.at(cut.size() - 1).isLowSurrogate() ? 2 : 1);
    return cut;
}

} // namespace

std::optional<int> parseInt32(const QString &text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    bool exists = false;
    const QList<Line> lines = loadLines(path_, &exists);
    QString result = defaultValue.trimmed();
    const int start = findSection(lines, section);
    if (start >= 0) {
        for (int i = start + 1; i < lines.size() && !lines[i].isSection(); ++i) {
            QString k, v;
            if (lines[i].isKey(&k, &v) && sameName(k, key)) {
                result = v;
                break;
            }
        }
    }
    return cutToBytes(result, kProfileBufferBytes - 1);
}

int IniFile::readInt(const QString &section, const QString &key) const
{
    return parseInt32(read(section, key, "0")).value_or(0);
}

bool IniFile::write(const QString &section, const QString &key, const QString &value) const
{
    bool exists = false;
    QList<Line> lines = loadLines(path_, &exists);
    const Line entry{key + "=" + value};
    const int start = findSection(lines, section);
    if (start < 0) {
        lines.append(Line{"[" + section + "]"});
        lines.append(entry);
    } else {
        int lastKey = start;
        int i = start + 1;
        for (; i < lines.size() && !lines[i].isSection(); ++i) {
            QString k;
            if (lines[i].isKey(&k)) {
                if (sameName(k, key)) {
                    lines[i] = entry;
                    break;
                }
                lastKey = i;
            }
        }
        if (i >= lines.size() || lines[i].isSection())
            lines.insert(lastKey + 1, entry);
    }
    QByteArray out;
    for (const Line &line : lines)
        out += line.text.toUtf8() + "\r\n";
    return replaceFile(path_, out);
}
