#include "download/game_download.h"

#include "download/download_transfer.h"
#include "portal_process.h"
#include "records/records.h"
#include "small_disk.h"
#include "base/program_folder.h"
#include "startup/startup.h"
#include "temp_home.h"
#include "transfer_events.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The tool strip, tray and message boxes as the flow sees them.
struct FakeView : DownloadView {
    void setCountCaption(const QString &text) override
    {
        captions << text;
        // The label sizes itself to its text: 6 pixels a character.
        count.setWidth(int(text.size()) * 6);
    }
    void showCount() override { countShown = true; }
    QRect countGeometry() const override { return count; }
    void placeProgressBar(const QRect &g) override { bar = g; }
    void movePercentLabel(const QPoint &p) override { percentAt = p; }
    void moveStopButton(const QPoint &p) override { stopAt = p; }
    void setPercentCaption(const QString &text) override { percents << text; }
    void setProgressShown(bool shown) override { progressShown = shown; }
    void balloon(const QString &text) override { balloons << text; }
    void message(const QString &text) override { messages << text; }

    QStringList captions, percents, balloons, messages;
    QRect count{200, 15, 0, 12};
    QRect bar;
    QPoint percentAt, stopAt;
    bool countShown = false;
    bool progressShown = false;
};

class GameDownloadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { portal = std::make_unique<PortalProcess>(); }
    static void TearDownTestSuite() { portal.reset(); }

    void SetUp() override { home.write("app/date_d.dat", "\r\n"); }

    QString gameLink(const QString &id, const QString &address, const QString &name = "n") const
    {
        return "veloflash://" + id + "$$$" + address + (name.isNull() ? "" : "$$$" + name) + "/";
    }
    // A game file on the test portal: the pattern, beginning with a Flash signature.
    static QString swfUrl(const QString &head = "FWS", qint64 size = 4096)
    {
        return portal->url(QString("test/bytes?size=%1&head=%2&x=.swf").arg(size).arg(head));
    }
    static QByteArray swfBody(qint64 size) { return "FWS" + servedPattern(size).mid(3); }
    QString firstRecord() const { return QString::fromUtf8(home.read("app/date_d.dat").split('\r').first()); }
    // Opens `link` in the game view and presses the download tool.
    void download(const QString &link)
    {
        downurl = link;
        flow.downloadTool();
    }
    bool waitForEnd() { return events.waitForEnd(); }

    static std::unique_ptr<PortalProcess> portal;
    TempHome home;
    Records records{programPath("app")};
    DownloadTransfer dl;
    TransferEvents events{dl};
    FakeView view;
    QString downurl = "0";
    GameDownload flow{dl, view, records, [this] { return downurl; }};
};
std::unique_ptr<PortalProcess> GameDownloadTest::portal;

TEST_F(GameDownloadTest, DownloadsIntoFlashRecordsAndReportsProgress)
{
    download(gameLink("1234", swfUrl(), "%u6D4B"));
    EXPECT_TRUE(flow.DownloadFlag());
    EXPECT_EQ(firstRecord(), "%u6D4B|1234|1234|1"); // recorded at the start
    ASSERT_TRUE(waitForEnd());

    EXPECT_EQ(home.read("flash/1234.swf"), swfBody(4096));
    EXPECT_FALSE(flow.DownloadFlag());
    EXPECT_EQ(view.captions.first(), "正在准备下载..");
    EXPECT_TRUE(view.captions.contains(" 大小：4k"));
    EXPECT_EQ(view.captions.last(), "游戏下载完毕!");
    EXPECT_EQ(view.percents.last(), "100%");
    // After the progress text " 大小：4k" (6 characters, 36 pixels) at left 200.
    EXPECT_EQ(view.bar, QRect(246, 18, 70, 7));
    EXPECT_EQ(view.percentAt, QPoint(321, 15));
    EXPECT_EQ(view.stopAt, QPoint(346, 15));
    EXPECT_FALSE(view.progressShown);
    EXPECT_TRUE(view.messages.isEmpty());
}

TEST_F(GameDownloadTest, BusyShowsTheRunningGamesNameAsInTheLink)
{
    download(gameLink("1", portal->url("test/slow?size=40000&ms=50&x=.swf"), "%u6D4B%u8BD5"));
    download(gameLink("2", portal->url("files/other.swf"), "other"));
    EXPECT_EQ(view.balloons, QStringList{"%u6D4B%u8BD5下载任务还未完成，请稍后操作.."});
    EXPECT_EQ(flow.DownloadGameName(), "%u6D4B%u8BD5");
    ASSERT_TRUE(waitForEnd());
    EXPECT_FALSE(home.exists("flash/2.swf"));
}

TEST_F(GameDownloadTest, LinksThatAreNotDownloadedTellWhy)
{
    download(QString("velojf://9$$$") + portal->url("files/g.swf") + "$$$n");
    EXPECT_EQ(view.captions, QStringList{"当前游戏为积分游戏，不能下载！"});
    EXPECT_TRUE(view.countShown);

    download("0");
    download("");
    EXPECT_EQ(view.messages, (QStringList{"当前没有游戏", "当前没有游戏"}));

    view.messages.clear();
    for (const QString &link : {gameLink("5", "https://h/g.swf"), gameLink("5", "http://h/g.SWF"),
                                gameLink("../5", "http://h/g.swf"), gameLink("5a", "http://h/g.swf"),
                                gameLink("", "http://h/g.swf"), QString("veloflash://5")})
        download(link);
    EXPECT_EQ(view.messages.size(), 6);
    EXPECT_EQ(view.messages.count("当前游戏文件无法下载或已下载!"), 6);

    download("open://3"); // another scheme: silently nothing
    EXPECT_EQ(view.messages.size(), 6);
    EXPECT_EQ(view.captions.size(), 1);
    EXPECT_FALSE(flow.DownloadFlag());
    EXPECT_TRUE(events.names.isEmpty());
    EXPECT_EQ(firstRecord(), "");
    EXPECT_FALSE(home.exists("flash")); // made only for a download that starts
}

TEST_F(GameDownloadTest, AGameAlreadyInFlashIsNotFetchedAgain)
{
    home.write("flash/55.swf", "old");
    download(gameLink("55", portal->url("files/g.swf")));
    EXPECT_EQ(view.captions, QStringList{"该游戏已经下载过!"});
    EXPECT_TRUE(view.messages.isEmpty());
    EXPECT_FALSE(flow.DownloadFlag());
    EXPECT_EQ(home.read("flash/55.swf"), "old");
    EXPECT_EQ(firstRecord(), "");
}

TEST_F(GameDownloadTest, IdWithLeadingZerosNamesTheFileAsWrittenAndRecordsTheNumber)
{
    download(gameLink("007", swfUrl(), "bond"));
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(home.exists("flash/007.swf"));
    EXPECT_EQ(firstRecord(), "bond|7|007|1");
}

TEST_F(GameDownloadTest, ALinkOfTwoFieldsKeepsThePreviousName)
{
    download(gameLink("10", swfUrl(), "first"));
    ASSERT_TRUE(waitForEnd());
    events.ended = false;
    download(gameLink("11", swfUrl(), QString()));
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(home.exists("flash/11.swf"));
    EXPECT_EQ(firstRecord(), "first|11|11|1");
}

TEST_F(GameDownloadTest, FailuresShowTheirTextThenTheFailure)
{
    struct Case {
        QString address;
        QString text;
    };
    const QList<Case> cases{
        {portal->url("test/redirect?to=/files/b.swf"), "下载出错： 文件不存在重定向!"},
        {portal->url("test/zero?x=.swf"), "下载出错： 0字节接收!"},
        {portal->url("test/status?code=404&x=.swf"), "下载出错： 未知错误!"},
        // An error page served as the game fails as a missing game does.
        {portal->url("test/page?x=.swf"), "下载出错： 未知错误!"},
        {"http://:80/x.swf", "下载出错： 下载链接无效!"},
    };
    int id = 100;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        view.captions.clear();
        events.ended = false;
        download(gameLink(QString::number(++id), c.address));
        ASSERT_TRUE(waitForEnd());
        EXPECT_EQ(view.captions.mid(view.captions.size() - 2), (QStringList{c.text, "游戏下载失败!"}));
        EXPECT_FALSE(flow.DownloadFlag());
        EXPECT_FALSE(view.progressShown);
        EXPECT_FALSE(home.exists("flash/" + QString::number(id) + ".swf"));
    }
}

TEST_F(GameDownloadTest, OnlyAFlashMovieIsKeptAsTheGame)
{
    struct Case {
        QString head;
        qint64 size;
        bool kept;
    };
    const QList<Case> cases{
        {"FWS", 4096, true}, {"CWS", 4096, true}, {"ZWS", 3, true},   {"fws", 4096, false},
        {"FW", 2, false},    {"CW", 4096, false}, {"GIF89a", 4096, false},
    };
    int id = 200;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.head.toStdString());
        view.captions.clear();
        events.ended = false;
        const QString file = "flash/" + QString::number(++id) + ".swf";
        download(gameLink(QString::number(id), swfUrl(c.head, c.size)));
        ASSERT_TRUE(waitForEnd());
        EXPECT_EQ(home.exists(file), c.kept);
        EXPECT_EQ(view.captions.last(), c.kept ? "游戏下载完毕!" : "游戏下载失败!");
        EXPECT_EQ(filesIn(home.file("flash")).filter(".part"), QStringList{});
    }
}

TEST_F(GameDownloadTest, AGameThatAppearedDuringARefusedDownloadIsKept)
{
    // The slow body is the bare pattern, which is no Flash movie.
    download(gameLink("40", portal->url("test/slow?size=20000&ms=50&x=.swf")));
    ASSERT_TRUE(events.waitForBytes(1));
    home.write("flash/40.swf", "FWS earlier copy");
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(home.read("flash/40.swf"), "FWS earlier copy");
    EXPECT_EQ(view.captions.mid(view.captions.size() - 2), (QStringList{"下载出错： 未知错误!", "游戏下载失败!"}));
}

TEST_F(GameDownloadTest, AFlashFolderThatCannotBeMadeEndsInASaveError)
{
    home.write("flash", "a file where the folder should be");
    download(gameLink("3", portal->url("files/g.swf")));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(view.captions.mid(view.captions.size() - 2), (QStringList{"下载出错： 文件保存错误!", "游戏下载失败!"}));
    EXPECT_EQ(firstRecord(), "n|3|3|1");
}

TEST_F(GameDownloadTest, ADiskThatFillsUpOrIsReadOnlyEndsInASaveErrorAndKeepsNothing)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    StartUp();
    Records diskRecords{programPath("app")};
    DownloadTransfer diskDl;
    TransferEvents diskEvents{diskDl};
    FakeView diskView;
    QString link;
    GameDownload diskFlow{diskDl, diskView, diskRecords, [&link] { return link; }};
    const auto downloadOnDisk = [&](const QString &id) {
        diskEvents.ended = false;
        link = gameLink(id, swfUrl("FWS", 1500 * 1024), "big");
        diskFlow.downloadTool();
        return diskEvents.waitForEnd();
    };
    const QStringList saveError{"下载出错： 文件保存错误!", "游戏下载失败!"};

    disk.fill(600 * 1024); // the game does not fit
    ASSERT_TRUE(downloadOnDisk("77"));
    EXPECT_EQ(diskView.captions.mid(diskView.captions.size() - 2), saveError);
    // The part file is gone, and with it the space it took.
    EXPECT_EQ(QDir(disk.file("flash")).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_GT(disk.freeBytes(), 500 * 1024);
    EXPECT_TRUE(disk.snapshot().value("app/date_d.dat").startsWith("big|77|77|1\r\n"));

    disk.freeSpace();
    const auto before = disk.snapshot();
    ASSERT_TRUE(disk.setReadOnly(true));
    ASSERT_TRUE(downloadOnDisk("78"));
    EXPECT_EQ(diskView.captions.mid(diskView.captions.size() - 2), saveError);
    EXPECT_EQ(disk.snapshot(), before);
    ASSERT_TRUE(disk.setReadOnly(false));
}

TEST_F(GameDownloadTest, StoppingEndsTheDownloadAndAllowsANewOneAtOnce)
{
    download(gameLink("20", portal->url("test/slow?size=400000&ms=100&x=.swf")));
    ASSERT_TRUE(events.waitForBytes(1));
    EXPECT_TRUE(view.progressShown);
    flow.dlting_Click();
    EXPECT_EQ(view.captions.last(), "下载被终止!");
    EXPECT_FALSE(view.progressShown);
    EXPECT_FALSE(flow.DownloadFlag());
    EXPECT_FALSE(home.exists("flash/20.swf"));

    events.ended = false;
    download(gameLink("21", swfUrl()));
    EXPECT_TRUE(view.balloons.isEmpty());
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(home.exists("flash/21.swf"));
}

TEST_F(GameDownloadTest, UnknownSizeShowsZeroBytesAndZeroPercent)
{
    download(gameLink("30", portal->url("test/bytes?size=5000&chunked=1&head=FWS&x=.swf")));
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(view.captions.contains(" 大小：0b"));
    EXPECT_EQ(view.percents.last(), "0%");
    EXPECT_EQ(home.read("flash/30.swf"), swfBody(5000));
}

} // namespace
