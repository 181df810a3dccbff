#include "base/file_io.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

qsizetype openFiles() { return QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size(); }

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

// A replaced file is let go of in the background; none may stay open.
TEST(Replace, ReplacedFilesAreAllLetGo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("date_d.dat");
    replaceFile(path, "first");
    replaceFile(path, "second"); // starts the thread that lets files go, which keeps files of its own
    QThread::msleep(100);
    const qsizetype before = openFiles();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(replaceFile(path, QByteArray::number(i)));
    const QDeadlineTimer deadline(5000);
    while (openFiles() > before && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(*readWholeFile(path), "49");
}

TEST(Replace, ADestinationThatIsNoPlainFileIsReplacedToo)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_TRUE(replaceFile(fifo, "bytes")); // opening a FIFO to hold it must not wait for a writer
    EXPECT_TRUE(QFileInfo(fifo).isFile());
    EXPECT_EQ(*readWholeFile(fifo), "bytes");

    const QString link = dir.filePath("link");
    replaceFile(dir.filePath("target"), "target");
    ASSERT_TRUE(QFile::link(dir.filePath("target"), link));
    EXPECT_TRUE(replaceFile(link, "link"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(*readWholeFile(dir.filePath("target")), "target");
}
