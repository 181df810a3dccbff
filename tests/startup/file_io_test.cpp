#include "startup/file_io.h"

#include <gtest/gtest.h>

namespace {

QList<QByteArray> linesUntil(const QByteArray &text, int most)
{
    QList<QByteArray> lines;
    forEachLine(text, [&](QByteArrayView line) {
        lines << line.toByteArray();
        return lines.size() < most;
    });
    return lines;
}

} // namespace

TEST(Lines, EveryKindOfLineEndEndsALine)
{
    using L = QList<QByteArray>;
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\n\rb"), (L{"a", "", "b"}));           // LF then CR: two ends
    EXPECT_EQ(splitLines("\r\r\n\n"), (L{"", "", ""}));
    EXPECT_EQ(splitLines("a\r"), (L{"a"}));                       // a CR at the very end
    EXPECT_EQ(splitLines("a\r\n\r\n"), (L{"a", ""}));             // the last end starts no line
    EXPECT_EQ(splitLines("tail"), (L{"tail"}));
    EXPECT_EQ(splitLines(""), L{});
    EXPECT_EQ(splitLines("\xE8\xB4\xAA|1\r\n\xFF\r"), (L{"\xE8\xB4\xAA|1", "\xFF"}));
}

TEST(Lines, VisitingStopsWhenAsked)
{
    EXPECT_EQ(linesUntil("a\r\nb\r\nc\r\n", 2), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(linesUntil("a\rb", 1), QList<QByteArray>{"a"});
}
