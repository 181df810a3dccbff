// UnescapeText against its rules written out the plain way, and the ASCII byte path that the
// list pages take against the text path.
#include "fuzz_support.h"
#include "records/unescape.h"

#include <QLatin1StringView>

#include <algorithm>
#include <vector>

namespace {

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

bool allHex(const QString &s, qsizetype from, qsizetype count)
{
    for (qsizetype k = from; k < from + count; ++k)
        if (!isHexDigit(s[k]))
            return false;
    return true;
}

// Positions 1 to L as the rules count them.
QString unescapedByTheRules(const QString &s)
{
    QString r;
    const qsizetype L = s.size();
    qsizetype p = 1;
    while (p <= L) {
        const QChar c = s[p - 1];
        if (c == '%' && p + 1 <= L && s[p] == 'u' && p <= L - 5) {
            if (allHex(s, p + 1, 4)) {
                r += QChar(char16_t(s.mid(p + 1, 4).toUShort(nullptr, 16)));
                p += 6;
            } else {
                r += c;
                p += 1;
            }
        } else if (c == '%' && p <= L - 2) {
            if (allHex(s, p, 2))
                r += QChar(char16_t(s.mid(p, 2).toUShort(nullptr, 16)));
            p += allHex(s, p, 2) ? 3 : 1;
        } else {
            r += c;
            p += 1;
        }
    }
    // A surrogate without its partner has no character: U+FFFD.
    QString out;
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i].isHighSurrogate() && i + 1 < r.size() && r[i + 1].isLowSurrogate()) {
            out += r[i];
            out += r[++i];
        } else {
            out += r[i].isSurrogate() ? QChar(QChar::ReplacementCharacter) : r[i];
        }
    }
    return out;
}

void checkText(const QString &s)
{
    const QString decoded = UnescapeText(s);
    FUZZ_CHECK(decoded == unescapedByTheRules(s));
    FUZZ_CHECK(decoded.size() <= s.size());
    FUZZ_CHECK(decoded.isEmpty() == s.isEmpty());
}

std::vector<char16_t> unitsOf(QStringView s)
{
    std::vector<char16_t> units;
    forEachUnescapedUnit(s, [&units](char16_t u) { units.push_back(u); });
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    checkText(QString::fromUtf8(bytes));
    // The same bytes as UTF-16 units reach every unit, lone surrogates included.
    checkText(QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2));

    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; });
    if (ascii) {
        std::vector<char16_t> fromBytes;
        forEachUnescapedUnit(QLatin1StringView(bytes), [&fromBytes](char16_t u) { fromBytes.push_back(u); });
        FUZZ_CHECK(fromBytes == unitsOf(QString::fromLatin1(bytes)));
    }
    return 0;
}
