#include "records/gb18030.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

QByteArray converted(const QString &text) { return QStringEncoder("GB18030").encode(text); }

QByteArray appended(const QString &text)
{
    QByteArray out = "x";
    appendGb18030(out, text);
    return out.sliced(1);
}

} // namespace

// The kept bytes must be exactly the converter's, whichever length each character takes,
// both when a character is first met and when it is read back.
TEST(Gb18030, EveryCharacterMatchesTheConverter)
{
    QString all;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (!QChar::isSurrogate(c))
            all += QChar(char16_t(c));
    }
    for (char32_t c : {0x10000u, 0x1F600u, 0x2A6D6u, 0x10FFFFu}) {
        all += QChar(QChar::highSurrogate(c));
        all += QChar(QChar::lowSurrogate(c));
    }
    const QByteArray expected = converted(all);
    EXPECT_EQ(appended(all), expected);
    EXPECT_EQ(appended(all), expected);
}

TEST(Gb18030, CharactersKeepTheirBytesInAnyContext)
{
    EXPECT_EQ(appended(QString::fromUtf8("a贪b€c😀")), converted(QString::fromUtf8("a贪b€c😀")));
    EXPECT_EQ(appended(QString::fromUtf8("贪吃蛇")), QByteArray("\xCC\xB0\xB3\xD4\xC9\xDF"));
    EXPECT_EQ(appended(""), QByteArray());
}
