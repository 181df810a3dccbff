#include "main_window_fixture.h"

#include "browser/browser_pane.h"
#include "chrome/skin_button.h"
#include "dialogs/message_box.h"
#include "download/bk_dl_control.h"
#include "chrome/click_label.h"
#include "pane_driver.h"
#include "portal_process.h"
#include "shell/tray_icon.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

class GameTools : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Screenshots go to the desktop folder: keep it inside the test.
        qputenv("HOME", desktopHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", desktopHome.filePath("config").toUtf8());
    }
    QString desktop(const QString &relative = {}) const { return desktopHome.filePath("Desktop/" + relative); }

    // Opens a game that plays from the local player page and shows a red stage.
    void openRedGame(const QString &name)
    {
        QDir().mkpath(home().file("flash"));
        QFile::copy(builtGame("test-solid.swf"), home().file("flash/1003.swf"));
        pane("Web1")->navigate("veloflash://1003$$$click$$$" + name);
        ASSERT_TRUE(waitUntil([&] { return colourCoverage(pane("Web2")->grabImage(), Qt::red, 0.3).isEmpty(); },
                              30000));
    }

    // Opens a game played from the portal and waits until its page has loaded.
    void openPortalGame()
    {
        pane("Web1")->navigate("veloflash://1003$$$click$$$a");
        ASSERT_TRUE(waitUntil([&] {
            return runJs(*pane("Web2"), "location.href.includes('app.asp') && document.readyState == 'complete'").toBool();
        }));
    }

    QTemporaryDir desktopHome;
};

TEST_F(GameTools, EveryToolWaitsForTheFirstGame)
{
    openWindow();
    for (int i = 0; i < 9; ++i)
        window->c_z_click(i);
    EXPECT_EQ(tool(0)->toolTip(), "停止");
    EXPECT_EQ(tool(2)->toolTip(), "静音");
    EXPECT_EQ(tool(7)->toolTip(), "显示");
    EXPECT_EQ(window->FullScreen(), 0);
    EXPECT_TRUE(MessageBox::shown().empty() || MessageBox::shown().back().text != "当前没有游戏");
    EXPECT_FALSE(QDir(desktop()).exists());
    EXPECT_EQ(home().read("app/date_c.dat"), "\r\n");
}

TEST_F(GameTools, PauseContinueAndReload)
{
    openWindow();
    openPortalGame();
    QTest::mouseClick(tool(0), Qt::LeftButton);
    EXPECT_FALSE(pane("Web2")->isVisible());
    EXPECT_EQ(tool(0)->toolTip(), "继续");
    EXPECT_EQ(label("tingzhi")->text(), "当前游戏已经暂停");
    EXPECT_TRUE(label("tingzhi")->isVisible());
    QTest::mouseClick(tool(0), Qt::LeftButton);
    EXPECT_TRUE(pane("Web2")->isVisible());
    EXPECT_EQ(tool(0)->toolTip(), "停止");
    EXPECT_EQ(label("tingzhi")->text(), "当前游戏已经暂停");

    QTest::mouseClick(tool(0), Qt::LeftButton);
    portal().clearLog();
    QTest::mouseClick(tool(1), Qt::LeftButton); // reload while paused plays again
    EXPECT_TRUE(pane("Web2")->isVisible());
    EXPECT_EQ(tool(0)->toolTip(), "停止");
    EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/app/app.asp?id=click"); }));

    // A new game plays at once, even after a pause.
    QTest::mouseClick(tool(0), Qt::LeftButton);
    pane("Web1")->navigate("veloflash://1001$$$k$$$b");
    EXPECT_TRUE(pane("Web2")->isVisible());
    EXPECT_EQ(tool(0)->toolTip(), "停止");
}

TEST_F(GameTools, PausedGameReallyStops)
{
    openWindow();
    openPortalGame();
    // A hidden page still runs its timers (slowed down); a paused game must run none.
    runJs(*pane("Web2"), "window.ticks = 0; setInterval(() => window.ticks++, 100); true");
    settleFor(500);
    window->c_z_click(0);
    const double atPause = runJs(*pane("Web2"), "window.ticks").toDouble();
    settleFor(3000);
    window->c_z_click(0);
    const double atContinue = runJs(*pane("Web2"), "window.ticks").toDouble();
    EXPECT_LE(atContinue - atPause, 1) << "the game kept running while paused";
    settleFor(500);
    EXPECT_GT(runJs(*pane("Web2"), "window.ticks").toDouble(), atContinue) << "the game did not go on";
}

// Hidden by the boss key or to the tray, the window's panes rest; shown again they run, but a
// game the player paused stays paused.
TEST_F(GameTools, PanesRestWhileTheWindowIsHidden)
{
    using State = QWebEnginePage::LifecycleState;
    openWindow();
    openPortalGame();
    const auto both = [&](State state) {
        return pane("Web1")->page()->lifecycleState() == state && pane("Web2")->page()->lifecycleState() == state;
    };
    window->hide();
    EXPECT_TRUE(waitUntil([&] { return both(State::Frozen); })) << "a hidden window's panes kept running";
    window->show();
    EXPECT_TRUE(waitUntil([&] { return both(State::Active); }));

    window->c_z_click(0);
    ASSERT_TRUE(waitUntil([&] { return pane("Web2")->page()->lifecycleState() == State::Frozen; }));
    window->hide();
    settleFor(300);
    window->show();
    EXPECT_TRUE(waitUntil([&] { return pane("Web1")->page()->lifecycleState() == State::Active; }));
    settleFor(300);
    EXPECT_EQ(pane("Web2")->page()->lifecycleState(), State::Frozen) << "showing the window woke a paused game";
}

TEST_F(GameTools, ScreenshotSavesTheGameAsABitmapOnTheDesktop)
{
    openWindow();
    openRedGame("%u6D4B");
    QTest::mouseClick(tool(4), Qt::LeftButton);
    const QStringList shots = QDir(desktop("%u6D4B")).entryList({"*.bmp"}, QDir::Files);
    ASSERT_EQ(shots.size(), 1);
    const QString stem = shots.first().chopped(4);
    EXPECT_GE(stem.toInt(), 100);
    EXPECT_LE(stem.toInt(), 999);
    const QImage image(desktop("%u6D4B/" + shots.first()), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), pane("Web2")->size());
    EXPECT_EQ(colourCoverage(image, Qt::red, 0.3), "");
    EXPECT_EQ(tray_record().balloonText, "截图完成。路径:" + desktop("%u6D4B/" + shots.first()));
    EXPECT_TRUE(tool(4)->isEnabled());
}

TEST_F(GameTools, ScreenshotNamesStayOnTheDesktop)
{
    openWindow();
    openRedGame("../../x");
    window->c_z_click(4);
    EXPECT_EQ(QDir(desktop("....x")).entryList({"*.bmp"}, QDir::Files).size(), 1);

    for (const char *name : {"   ", "\\\\"}) {
        pane("Web1")->navigate(QString("veloflash://1003$$$click$$$") + name);
        ASSERT_EQ(window->GameName(), name);
        MessageBox::queueAnswer(QMessageBox::Ok);
        window->c_z_click(4);
        EXPECT_EQ(MessageBox::shown().back().text, "游戏错误，无法完成截图！");
        EXPECT_TRUE(tool(4)->isEnabled());
    }
}

TEST_F(GameTools, MuteInfoPaneAndFullScreen)
{
    openWindow();
    pane("Web1")->navigate("veloflash://1003$$$click$$$a");
    window->c_z_click(2);
    EXPECT_EQ(tool(2)->toolTip(), "取消");
    window->c_z_click(2);
    EXPECT_EQ(tool(2)->toolTip(), "静音");

    EXPECT_TRUE(control("pic2")->isVisible());
    const int gameWidth = control("picf")->width();
    QTest::mouseClick(tool(7), Qt::LeftButton);
    EXPECT_EQ(tool(7)->toolTip(), "显示");
    EXPECT_FALSE(control("pic2")->isVisible());
    EXPECT_EQ(control("picf")->width(), gameWidth + 172);
    QTest::mouseClick(tool(7), Qt::LeftButton);
    EXPECT_TRUE(control("pic2")->isVisible());

    QTest::mouseClick(tool(6), Qt::LeftButton);
    EXPECT_EQ(window->FullScreen(), 1);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_FALSE(control("Picd")->isVisible());
    EXPECT_FALSE(control("ad_pic")->isVisible());
    EXPECT_TRUE(tool(8)->isVisible());
    EXPECT_EQ(titleButton(1)->toolTip(), "还原");
    EXPECT_EQ(tabPage(1)->geometry(), QRect(4, 28, window->WorkArea().width() - 8, window->WorkArea().height() - 32));

    // The maximise button leaves full screen.
    QTest::mouseClick(titleButton(1), Qt::LeftButton);
    EXPECT_EQ(window->FullScreen(), 0);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_TRUE(control("Picd")->isVisible());
    EXPECT_FALSE(tool(8)->isVisible());
    EXPECT_EQ(titleButton(1)->toolTip(), "最大化");

    // A double-click on the window surface leaves full screen too; after the ad strip failed,
    // leaving full screen does not bring it back.
    pane("adweb")->navigate(portalBase + "test/abort");
    ASSERT_TRUE(waitUntil([&] { return !control("ad_pic")->isVisible(); })) << "the ad strip did not fail";
    window->c_z_click(6);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(window->FullScreen(), 0);
    EXPECT_FALSE(control("ad_pic")->isVisible());
}

TEST_F(GameTools, DownloadToolKeepsTheGameForOfflinePlay)
{
    openWindow();
    const QString address = portal().url("games/1001.swf");
    pane("Web1")->navigate("veloflash://1001$$$" + address + "$$$%u63A5%u7403");
    QTest::mouseClick(tool(5), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return label("lblCount")->text() == "游戏下载完毕!"; }, 20000))
        << label("lblCount")->text().toStdString();
    QFile served(builtGame("1001.swf"));
    ASSERT_TRUE(served.open(QIODevice::ReadOnly));
    EXPECT_EQ(home().read("flash/1001.swf"), served.readAll());
    EXPECT_TRUE(home().read("app/date_d.dat").startsWith("%u63A5%u7403|1001|1001|1\r\n"));
    EXPECT_FALSE(control<bkDLControl>("dl")->isVisible());

    QTest::mouseClick(tool(5), Qt::LeftButton);
    EXPECT_EQ(label("lblCount")->text(), "该游戏已经下载过!");

    // Opened again, it plays from the local player page.
    pane("Web1")->navigate("veloflash://1001$$$" + address + "$$$%u63A5%u7403");
    EXPECT_TRUE(waitUntil([&] { return pane("Web2")->address() == home().file("app/flash.htm?1001"); }));

    pane("Web1")->navigate("velojf://1003$$$click$$$x");
    QTest::mouseClick(tool(5), Qt::LeftButton);
    EXPECT_EQ(label("lblCount")->text(), "当前游戏为积分游戏，不能下载！");
}
