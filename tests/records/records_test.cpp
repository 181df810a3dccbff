#include "records/records.h"

#include "temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct RecordsFixture : ::testing::Test {
    TempHome home;
    int refreshes = 0;
    Records records{home.file("app"), [this] { ++refreshes; }};

    void SetUp() override { home.write("app/date_c.dat", "\r\n"); }
    QByteArray file(const char *name = "app/date_c.dat") const { return home.read(name); }
    static QByteArray lines(int from, int to)
    {
        QByteArray text;
        for (int i = from; i <= to; ++i)
            text += "g" + QByteArray::number(i) + "|" + QByteArray::number(i) + "|a|1\r\n";
        return text;
    }
};

// Makes a file immutable while it lives, so that even root cannot replace it.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString &path) : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY)) { set(true); }
    ~ImmutableFile()
    {
        set(false);
        ::close(fd_);
    }
    bool held() const { return held_; }

private:
    void set(bool on)
    {
        int flags = 0;
        if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0)
            return;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        held_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0 && on;
    }
    int fd_;
    bool held_ = false;
};

} // namespace

TEST_F(RecordsFixture, AddingToAFreshFileThenAgain)
{
    records.AddRecord("A", "1", "x", 1, "date_c.dat");
    EXPECT_EQ(file(), "A|1|x|1\r\n\r\n");
    records.AddRecord("B", "2", "y", 0, "date_c.dat");
    EXPECT_EQ(file(), "B|2|y|0\r\nA|1|x|1\r\n");
    EXPECT_EQ(refreshes, 2);
    EXPECT_TRUE(home.exists("app/c.htm"));
}

TEST_F(RecordsFixture, SameIdMovesToTheTopWhateverItsOtherFields)
{
    home.write("app/date_c.dat", "B|2|y|1\r\nA|7|x|1\r\nabc\r\nC|3|z|1\r\n");
    records.AddRecord("New", "7", "other", 0, "date_c.dat");
    // The line without "|" goes too: only records are carried over.
    EXPECT_EQ(file(), "New|7|other|0\r\nB|2|y|1\r\nC|3|z|1\r\n");
}

TEST_F(RecordsFixture, IdsCompareAsExactText)
{
    home.write("app/date_c.dat", "A|07|x|1\r\n");
    records.AddRecord("B", "7", "x", 1, "date_c.dat");
    EXPECT_EQ(file(), "B|7|x|1\r\nA|07|x|1\r\n");
}

TEST_F(RecordsFixture, CapsKeepTheFirstNLinesPlusTheNewOne)
{
    home.write("app/date_c.dat", lines(1, 150));
    records.AddRecord("new", "999", "a", 1, "date_c.dat");
    EXPECT_EQ(file(), "new|999|a|1\r\n" + lines(1, 100));

    home.write("app/date_n.dat", lines(1, 150));
    records.AddRecord("new", "5", "a", 1, "date_n.dat");
    QByteArray expected = "new|5|a|1\r\n" + lines(1, 4) + lines(6, 100);
    EXPECT_EQ(file("app/date_n.dat"), expected);

    home.write("app/date_d.dat", lines(1, 2500));
    records.AddRecord("new", "9999", "9999", 1, "date_d.dat");
    EXPECT_EQ(file("app/date_d.dat").count("\r\n"), 2001);
}

TEST_F(RecordsFixture, EmptyLinesCountTowardsTheCap)
{
    home.write("app/date_c.dat", QByteArray("\r\n").repeated(100) + "late|1|a|1\r\n");
    records.AddRecord("A", "2", "x", 1, "date_c.dat");
    EXPECT_EQ(file(), "A|2|x|1\r\n\r\n");
}

TEST_F(RecordsFixture, RemovingALine)
{
    home.write("app/date_c.dat", "B|2|y|1\r\nA|1|x|1\r\nC|3|z|1\r\n");
    records.RemoveRecord("date_c.dat", 2);
    EXPECT_EQ(file(), "B|2|y|1\r\nC|3|z|1\r\n");
    const QByteArray page = home.read("app/c.htm");
    EXPECT_TRUE(page.contains("open://1>") && page.contains("open://2>"));
    EXPECT_FALSE(page.contains("open://3>"));
}

TEST_F(RecordsFixture, RemovingBeyondTheEndStillRewritesAndRebuilds)
{
    home.write("app/date_c.dat", "B|2|y|1\r\nabc\r\n\r\n\r\n\r\n");
    records.RemoveRecord("date_c.dat", 9);
    // Two pairs go from the end, one of them the last line's own ending, which is written again.
    EXPECT_EQ(file(), "B|2|y|1\r\nabc\r\n\r\n\r\n");
    EXPECT_EQ(refreshes, 1);
    records.RemoveRecord("date_c.dat", 0);
    EXPECT_EQ(file(), "B|2|y|1\r\nabc\r\n\r\n");
}

TEST_F(RecordsFixture, MissingFileWritesNothingAndRefreshesNothing)
{
    records.AddRecord("A", "1", "x", 1, "date_n.dat");
    records.RemoveRecord("date_n.dat", 1);
    EXPECT_FALSE(records.BuildListPage("date_n.dat"));
    EXPECT_FALSE(records.Clear("date_n.dat"));
    EXPECT_FALSE(home.exists("app/date_n.dat"));
    EXPECT_FALSE(home.exists("app/n.htm"));
    EXPECT_EQ(refreshes, 0);
}

TEST_F(RecordsFixture, ClearingLeavesOneEmptyLine)
{
    home.write("app/date_c.dat", lines(1, 3));
    EXPECT_TRUE(records.Clear("date_c.dat"));
    EXPECT_EQ(file(), "\r\n");
    EXPECT_TRUE(home.read("app/c.htm").contains("padding-top:30px"));
}

TEST_F(RecordsFixture, RecordAtCountsEveryLine)
{
    home.write("app/date_c.dat", "A|1|x|0\r\n\r\nabc\r\nC|3|z|1\r\n");
    EXPECT_EQ(records.recordAt("date_c.dat", 1), (QStringList{"A", "1", "x", "0"}));
    EXPECT_TRUE(records.recordAt("date_c.dat", 2).isEmpty());
    EXPECT_TRUE(records.recordAt("date_c.dat", 3).isEmpty());
    EXPECT_EQ(records.recordAt("date_c.dat", 4).value(0), "C");
    EXPECT_TRUE(records.recordAt("date_c.dat", 5).isEmpty());
    EXPECT_TRUE(records.recordAt("date_c.dat", -1).isEmpty());
}

TEST_F(RecordsFixture, ForeignLineEndsAndBytesAreReadAsLinesAndKept)
{
    // LF-only and CR-only lines count as lines; what is written always ends in CR LF, and bytes
    // that are not UTF-8 stay as they were.
    home.write("app/date_c.dat", "A|1|a|1\nB|2|\xff\xfe|1\rC|3|c|1\r\n");
    records.AddRecord("N", "9", "n", 1, "date_c.dat");
    EXPECT_EQ(file(), "N|9|n|1\r\nA|1|a|1\r\nB|2|\xff\xfe|1\r\nC|3|c|1\r\n");
    records.RemoveRecord("date_c.dat", 2);
    EXPECT_EQ(file(), "N|9|n|1\r\nB|2|\xff\xfe|1\r\nC|3|c|1\r\n");
}

TEST_F(RecordsFixture, FieldCountsOtherThanFour)
{
    home.write("app/date_c.dat", "only|1\r\nA|2|a|1|extra|more\r\n|\r\n");
    records.AddRecord("N", "1", "n", 0, "date_c.dat"); // "only|1" has id 1 too: it goes
    EXPECT_EQ(file(), "N|1|n|0\r\nA|2|a|1|extra|more\r\n|\r\n");
    EXPECT_EQ(records.recordAt("date_c.dat", 2).size(), 6);
}

TEST_F(RecordsFixture, BarsAndLineBreaksInFieldsAreStoredEscaped)
{
    struct Case {
        const char *name, *address;
        QByteArray line;      // what the file's first line becomes
        const char *shown;    // the list page's text for the entry
    };
    const Case cases[] = {
        {"a|b", "k", "a%7Cb|7|k|1", "a|b"},
        {"n\r\nX|8|x|1", "k", "n%0D%0AX%7C8%7Cx%7C1|7|k|1", "n\r\nX|8|x|1"},
        {"lf\nonly", "http://h/a|b.swf\r", "lf%0Aonly|7|http://h/a%7Cb.swf%0D|1", "lf\nonly"},
        {"%7C", "k", "%7C|7|k|1", "|"}, // already escaped: kept, and shown the same
    };
    for (const Case &c : cases) {
        home.write("app/date_c.dat", "\r\n");
        records.AddRecord(QString::fromUtf8(c.name), "7", QString::fromUtf8(c.address), 1, "date_c.dat");
        EXPECT_EQ(file(), c.line + "\r\n\r\n") << c.name;
        const QStringList record = records.recordAt("date_c.dat", 1);
        EXPECT_EQ(record.size(), 4) << c.name;
        EXPECT_EQ(record.value(1), "7");
        EXPECT_TRUE(home.read("app/c.htm").contains(QByteArray("<a href=open://1>\xA1\xA4") + c.shown + "</a>"))
            << c.name;
        EXPECT_FALSE(home.read("app/c.htm").contains("open://2")) << c.name;
    }
}

TEST_F(RecordsFixture, TwentyThousandLinesAndAMissingFolder)
{
    home.write("app/date_d.dat", lines(1, 20000));
    records.AddRecord("new", "1", "1", 1, "date_d.dat");
    const QByteArray after = file("app/date_d.dat");
    EXPECT_EQ(after.count("\r\n"), 2000); // the old line with id 1 went, 1999 others stayed
    EXPECT_TRUE(after.startsWith("new|1|1|1\r\ng2|2|a|1\r\n"));

    Records nowhere(home.file("no-app"));
    nowhere.AddRecord("A", "1", "a", 1, "date_n.dat");
    EXPECT_FALSE(nowhere.BuildListPage("date_n.dat"));
    EXPECT_FALSE(home.exists("no-app"));
}

TEST_F(RecordsFixture, AFileThatCannotBeReplacedKeepsItsPageTruthful)
{
    home.write("app/date_c.dat", "A|1|x|1\r\n");
    {
        const ImmutableFile locked(home.file("app/date_c.dat"));
        if (!locked.held())
            GTEST_SKIP() << "this file system cannot make a file immutable";
        records.AddRecord("B", "2", "y", 1, "date_c.dat");
    }
    EXPECT_EQ(file(), "A|1|x|1\r\n");
    const QByteArray page = home.read("app/c.htm");
    EXPECT_TRUE(page.contains("<a href=open://1>\xA1\xA4" "A</a>"));
    EXPECT_FALSE(page.contains("B</a>"));
}
