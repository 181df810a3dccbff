#pragma once

#include <QString>
#include <QStringView>

// Decodes %uXXXX and %XX escapes as a browser's script escape produced them; a lone
// surrogate becomes U+FFFD. Never fails.
QString UnescapeText(const QString &s);

namespace unescape_detail {

// A table, since names are mostly escapes and every list change decodes all of them.
struct HexValues {
    signed char of[128];
    constexpr HexValues() : of()
    {
        for (int c = 0; c < 128; ++c)
            of[c] = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    }
};
inline constexpr HexValues kHexValues;

inline int hexValue(char16_t u) { return u < 128 ? kHexValues.of[u] : -1; }

inline char16_t unitAt(QStringView s, qsizetype i) { return s[i].unicode(); }
inline char16_t unitAt(QLatin1StringView s, qsizetype i) { return static_cast<uchar>(s[i].toLatin1()); }

// The value of `count` hex digits at s[at], or -1.
template <class Text> int hexRun(Text s, qsizetype at, int count)
{
    int value = 0;
    for (int k = 0; k < count; ++k) {
        const int digit = hexValue(unitAt(s, at + k));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace unescape_detail

// Hands each UTF-16 unit that `s` decodes to to `visit`, surrogates as they come. `Text` is
// QStringView, or QLatin1StringView for ASCII bytes read straight from a file. The decoded
// text is never longer than `s`, and empty only when `s` is.
template <class Text, class Visit> void forEachUnescapedUnit(Text s, Visit &&visit)
{
    using namespace unescape_detail;
    const qsizetype length = s.size();
    qsizetype p = 0; // 0-based: the rules' "p <= L - 5" is "p + 5 < L" here
    while (p < length) {
        const char16_t c = unitAt(s, p);
        if (c == '%' && p + 5 < length && unitAt(s, p + 1) == 'u') {
            const int value = hexRun(s, p + 2, 4);
            if (value >= 0) {
                visit(static_cast<char16_t>(value));
                p += 6;
            } else {
                visit(c);
                p += 1;
            }
        } else if (c == '%' && p + 2 < length) {
            const int value = hexRun(s, p + 1, 2);
            if (value >= 0) {
                visit(static_cast<char16_t>(value));
                p += 3;
            } else {
                p += 1; // the "%" is dropped
            }
        } else {
            visit(c);
            p += 1;
        }
    }
}
