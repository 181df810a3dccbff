#include "records/unescape.h"

#include <algorithm>

namespace {

QString replaceLoneSurrogates(const QString &s)
{
    if (std::none_of(s.cbegin(), s.cend(), [](QChar c) { return c.isSurrogate(); }))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out += c;
            out += s.at(++i);
        } else if (c.isSurrogate()) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString UnescapeText(const QString &s)
{
    QString result(s.size(), Qt::Uninitialized);
    QChar *to = result.data();
    forEachUnescapedUnit(QStringView(s), [&to](char16_t u) { *to++ = QChar(u); });
    result.truncate(to - result.constData());
    return replaceLoneSurrogates(result);
}
