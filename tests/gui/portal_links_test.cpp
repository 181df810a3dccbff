#include "main_window_fixture.h"

#include "browser/browser_pane.h"
#include "chrome/click_label.h"
#include "pane_driver.h"
#include "portal_process.h"
#include "records/unescape.h"
#include "base/ini_file.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTest>

namespace {

QByteArray firstLine(const QByteArray &text) { return text.left(text.indexOf("\r\n")); }

QString pageText(const QByteArray &gb18030) { return QStringDecoder("GB18030").decode(gb18030); }

} // namespace

class PortalLinks : public MainWindowTest {
protected:
    // address: the link's second field; gamePage: what the game pane then asks the portal for.
    void expectGameOpened(const QString &id, const QString &address, const QString &gamePage, const QString &name)
    {
        ASSERT_TRUE(waitUntil([&] { return window->downurl() != "0"; })) << "no game opened";
        EXPECT_TRUE(window->downurl().startsWith("veloflash://" + id + "$$$"));
        EXPECT_EQ(firstLine(home().read("app/date_n.dat")),
                  (window->GameName() + "|" + id + "|" + address + "|1").toUtf8());
        EXPECT_EQ(UnescapeText(window->GameName()), name);
        EXPECT_TRUE(pageText(home().read("app/n.htm")).contains("<a href=open://1>·" + name + "</a>"));
        EXPECT_EQ(label("yxname")->text(), "当前：在线小游戏 >> " + name + "：");
        EXPECT_EQ(window->CurrentTab(), 7);
        EXPECT_TRUE(tabPage(1)->isVisible());
        EXPECT_FALSE(tabPage(0)->isVisible());
        EXPECT_TRUE(waitUntil([&] { return portalWasAsked(gamePage); }));
        EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/app/flash_info.asp?id=" + id); }));
        EXPECT_TRUE(control("pic2")->isVisible()); // the info pane opens with every game
    }
};

TEST_F(PortalLinks, ClickingAGameOnThePortalPagePlaysAndRecordsIt)
{
    openWindow();
    // The statistics beacon, once per start, in a pane of its own: it may arrive after the portal page.
    EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/tj/tj.asp?id="); }));
    clickElement(*pane("Web1"), "#game-1001");
    const QString address = portal().url("games/1001.swf");
    expectGameOpened("1001", address, "/flash.htm?" + address, "接球");
}

TEST_F(PortalLinks, ClickingAGameInTheVelomainFrameIsTheSame)
{
    openWindow();
    clickElement(*pane("Web1"), "#frame-game-1003", "velomain");
    expectGameOpened("1003", "click", "/app/app.asp?id=click", "打靶");
}

TEST_F(PortalLinks, ADownloadedGamePlaysFromTheLocalPlayerPage)
{
    QDir().mkpath(home().file("flash"));
    ASSERT_TRUE(QFile::copy(builtGame("test-solid.swf"), home().file("flash/1003.swf")));
    openWindow();
    clickElement(*pane("Web1"), "#game-1003");
    ASSERT_TRUE(waitUntil([&] { return pane("Web2")->address().contains("flash.htm?1003"); }));
    EXPECT_EQ(pane("Web2")->address(), home().file("app/flash.htm?1003"));
    EXPECT_TRUE(waitUntil([&] { return colourCoverage(pane("Web2")->grabImage(), Qt::red, 0.3).isEmpty(); }, 20000))
        << colourCoverage(pane("Web2")->grabImage(), Qt::red, 0.3).toStdString();
}

TEST_F(PortalLinks, LinkFieldsRecordIdsAndSchemes)
{
    openWindow();
    pane("Web1")->navigate("veloflash://0077$$$tetris$$$%u6D4B/");
    // The opening completes once the game pane's request has left.
    ASSERT_TRUE(waitUntil([&] { return window->downurl() == "veloflash://0077$$$tetris$$$%u6D4B/"; }));
    EXPECT_EQ(firstLine(home().read("app/date_n.dat")), "%u6D4B|77|tetris|1");
    EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/app/app.asp?id=tetris"); }));

    // Not a decimal id: the game opens but nothing is recorded.
    pane("Web1")->navigate("veloflash://x1$$$http://127.0.0.1:1/g.swf$$$n");
    ASSERT_TRUE(waitUntil([&] { return window->downurl().startsWith("veloflash://x1$$$"); }));
    EXPECT_EQ(firstLine(home().read("app/date_n.dat")), "%u6D4B|77|tetris|1");
    EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/flash.htm?http://127.0.0.1:1/g.swf"); }));

    // The scheme in capitals is not a game link.
    const QString before = window->downurl();
    pane("Web1")->navigate("VELOFLASH://5$$$k$$$n");
    settleFor(1000);
    EXPECT_EQ(window->downurl(), before);
}

TEST_F(PortalLinks, PointsGameLinkOpensTheGameRecordedAsKindZero)
{
    openWindow();
    pane("Web1")->navigate("velojf://12$$$jf$$$%u79EF");
    ASSERT_TRUE(waitUntil([&] { return window->downurl() == "velojf://12$$$jf$$$%u79EF"; }));
    EXPECT_EQ(firstLine(home().read("app/date_n.dat")), "%u79EF|12|jf|0");
    EXPECT_EQ(window->CurrentTab(), 7);
}

// The second link comes while the first game's opening still waits for the game pane's request:
// both complete, in order, each with its own name.
TEST_F(PortalLinks, TwoGamesOpenedAtOnceEndOnTheSecond)
{
    openWindow();
    pane("Web1")->navigate("veloflash://1001$$$key1001$$$%u7532");
    pane("Web1")->navigate("veloflash://1003$$$click$$$%u4E59");
    ASSERT_TRUE(waitUntil([&] { return window->downurl() == "veloflash://1003$$$click$$$%u4E59"; }));
    settleFor(500);
    EXPECT_EQ(window->downurl(), "veloflash://1003$$$click$$$%u4E59");
    const QByteArray bothRecorded = "%u4E59|1003|click|1\r\n%u7532|1001|key1001|1\r\n";
    EXPECT_EQ(home().read("app/date_n.dat").left(bothRecorded.size()), bothRecorded);
    EXPECT_EQ(label("yxname")->text(), "当前：在线小游戏 >> 乙：");
    EXPECT_EQ(window->CurrentTab(), 7);
    EXPECT_TRUE(waitUntil([&] { return pane("Web2")->address().endsWith("/app/app.asp?id=click"); }));
    EXPECT_TRUE(waitUntil([&] { return pane("Webr")->address().endsWith("/app/flash_info.asp?id=1003"); }));
}

TEST_F(PortalLinks, GamePaneForwardsGameLinksAndBlocksPopUps)
{
    openWindow();
    pane("Web1")->navigate("veloflash://1003$$$click$$$a");
    ASSERT_TRUE(waitUntil([&] { return portalWasAsked("/app/app.asp?id=click"); }));
    // The window's own handler runs first; this one sees its answer.
    QList<bool> refused;
    QObject::connect(pane("Web2"), &BrowserPane::newWindow, window.get(), [&](bool *cancel) { refused << *cancel; });
    // A pop-up at the player's click: a button on the game page that opens one. The button goes
    // into the game's page once it has loaded, or the load would replace it.
    const auto popUpAllowed = [&] {
        EXPECT_TRUE(waitUntil([&] {
            return runJs(*pane("Web2"), "location.href.includes('/app/app.asp') && document.readyState == 'complete'")
                .toBool();
        }));
        const qsizetype before = refused.size();
        runJs(*pane("Web2"), "document.body.insertAdjacentHTML('beforeend', '<button id=\"pop\" style=\""
                             "position:fixed;left:0;top:0;width:90px;height:40px;z-index:9\">pop</button>');"
                             " document.getElementById('pop').onclick = () => window.open('about:blank'); true");
        clickElement(*pane("Web2"), "#pop");
        return waitUntil([&] { return refused.size() > before; }, 5000) && !refused.last();
    };

    pane("Web2")->navigate("vepbad://block");
    EXPECT_EQ(window->pb_ad(), 1);
    EXPECT_FALSE(popUpAllowed());

    // A game link in the game pane goes to the portal pane, which opens it.
    pane("Web2")->navigate("veloflash://1001$$$key1001$$$b");
    EXPECT_TRUE(waitUntil([&] { return window->downurl() == "veloflash://1001$$$key1001$$$b"; }));
    EXPECT_EQ(window->pb_ad(), 0);
    ASSERT_TRUE(waitUntil([&] { return portalWasAsked("/app/app.asp?id=key1001"); }));
    settleFor(500);
    EXPECT_TRUE(popUpAllowed());
}

TEST_F(PortalLinks, UnreachablePortalShowsTheErrorPanelUntilARetrySucceeds)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    const QString base = QString("http://127.0.0.1:%1/").arg(port);
    IniFile(home().file("config.ini")).write("main", "Portal", base);

    openWindow(false);
    ASSERT_TRUE(waitUntil([&] { return window->PortalError() == 1; }, 20000));
    EXPECT_TRUE(control("zzer")->isVisible());
    EXPECT_FALSE(tabPage(0)->isVisible());
    EXPECT_EQ(label("webe")->text(), "Error！出错了\r\n\r\n1.请检查你的网络连接\r\n\r\n2.软件网络出现了故障\r\n\r\n"
                                    "3.请点此尝试重新连接\r\n\r\n4.请尝试重新启动软件\r\n\r\n");
    settleFor(1500); // the engine's own error page loads under the panel and must not lift it
    EXPECT_TRUE(control("zzer")->isVisible());

    PortalProcess late({"--port", QString::number(port)});
    ASSERT_TRUE(late.isListening());
    QTest::mouseClick(label("webe"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window->PortalError(), 0);
    EXPECT_TRUE(waitUntil([&] { return !control("zzer")->isVisible() && tabPage(0)->isVisible(); }, 20000));
}
