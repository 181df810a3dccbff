// The ad window and the recommendation window on the real window and portal: where they open,
// their close pictures, the pages' new windows, the boss key and the end of the program.
#include "update_fixture.h"

#include "browser/browser_pane.h"
#include "dialogs/ad_window.h"
#include "chrome/click_label.h"
#include "pane_driver.h"
#include "shell/boss_key.h"
#include "update/version_check.h"

#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace {

QRect availableScreen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

bool pageShows(BrowserPane &pane, const char *heading)
{
    return waitUntil([&] {
        return runJs(pane, "(document.querySelector('h1') || {}).textContent || ''").toString() == heading;
    }, 20000);
}

// A button on the page that opens a hundred windows with one click.
void addHundredWindowsButton(BrowserPane &pane)
{
    runJs(pane, "const b = document.createElement('button'); b.id = 'many'; b.textContent = 'many';"
                "b.style = 'position:fixed;left:10px;top:10px;width:80px;height:40px';"
                "b.onclick = () => { for (let i = 0; i < 100; ++i) window.open('/yy/?' + i); };"
                "document.body.appendChild(b); true");
}

int visibleClientPopups()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<BrowserPane *>(widget) && widget->isVisible();
    return count;
}

} // namespace

using AdWindows = UpdateTest;

TEST_F(AdWindows, AdWindowAfterCheckAndTimerWithRealTimings)
{
    serveVersion("0====1====1.0");
    openWindow();
    ASSERT_TRUE(waitUntil([] { return topLevel("adsb") && topLevel("adsb")->isVisible(); }, 30000));
    QPointer<adsb> ad = static_cast<adsb *>(topLevel("adsb"));
    EXPECT_FALSE(ad->Picture1->isVisible()) << "the close picture shows only after a while";
    EXPECT_TRUE(MessageBox::shown().empty());

    const QRect screen = availableScreen();
    EXPECT_EQ(ad->geometry(), QRect(screen.x() + screen.width() - 305, screen.y() + screen.height() - 280, 300, 250));
    EXPECT_TRUE(ad->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(ad->Web1->geometry(), QRect(-2, -2, 304, 254));
    EXPECT_TRUE(waitUntil([&] { return ad->Web1->address() == portalBase + "js/ads/fudong.html"; }));

    ASSERT_TRUE(waitUntil([&] { return ad->Picture1->isVisible(); }, 10000));
    EXPECT_EQ(ad->Picture1->geometry(), QRect(282, 8, 11, 11));
    QTest::mouseClick(ad->Picture1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(waitUntilGone(ad, 5000));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AdWindows, AHundredNewWindowsGoToTheDesktopOnceAndCloseTheAdWindow)
{
    shortTimings();
    QPointer<adsb> ad = new adsb(portalBase);
    ad->show();
    ASSERT_TRUE(pageShows(*ad->Web1, "周末游戏大放送"));
    addHundredWindowsButton(*ad->Web1);
    clickElement(*ad->Web1, "#many");
    EXPECT_TRUE(waitUntilGone(ad, 10000));
    settleFor(1000); // the rest of the hundred
    EXPECT_EQ(opened, QStringList{portalBase + "yy/?0"});
    EXPECT_EQ(visibleClientPopups(), 0);

    // A link of the page that opens in a new window does the same.
    ad = new adsb(portalBase);
    ad->show();
    opened.clear();
    ASSERT_TRUE(pageShows(*ad->Web1, "周末游戏大放送"));
    clickElement(*ad->Web1, "a");
    EXPECT_TRUE(waitUntilGone(ad, 10000));
    EXPECT_EQ(opened, QStringList{portalBase});
}

TEST_F(AdWindows, BossKeyAndExitCloseTheAdWindow)
{
    shortTimings();
    openWindow();
    if (label("renj")->text() == kBossKeyConflictText)
        GTEST_SKIP() << "this display gives no global keys";
    window->Timer2_Timer();
    QPointer<QWidget> ad = topLevel("adsb");
    ASSERT_TRUE(ad && ad->isVisible());

    QProcess::execute("xdotool", {"key", "ctrl+s"});
    EXPECT_TRUE(waitUntilGone(ad, 5000));
    EXPECT_FALSE(window->isVisible());
    QProcess::execute("xdotool", {"key", "ctrl+s"});
    EXPECT_TRUE(waitUntil([&] { return window->isVisible(); }, 5000));

    window->Timer2_Timer();
    ad = topLevel("adsb");
    ASSERT_TRUE(ad);
    window->ttt_v();
    EXPECT_TRUE(waitUntilGone(ad, 5000));
    EXPECT_EQ(topLevel("ba4"), nullptr);
}

TEST_F(AdWindows, RecommendationClosesOnItsPictureANewWindowOrByItself)
{
    shortTimings();
    QPointer<ba4> recommend = new ba4(portalBase);
    recommend->show();
    EXPECT_EQ(recommend->geometry().center(), availableScreen().center());
    EXPECT_EQ(recommend->size(), QSize(299, 248));
    ASSERT_TRUE(waitUntil([&] { return recommend->Picture1->isVisible(); }, 5000));
    EXPECT_EQ(recommend->Picture1->geometry(), QRect(244, 5, 51, 21));
    QTest::mouseClick(recommend->Picture1, Qt::LeftButton, {}, QPoint(25, 10));
    EXPECT_TRUE(waitUntilGone(recommend, 5000));

    recommend = new ba4(portalBase);
    recommend->show();
    ASSERT_TRUE(pageShows(*recommend->Web1, "欢迎下次再来玩"));
    clickElement(*recommend->Web1, "a[href=\"/yy/\"]");
    EXPECT_TRUE(waitUntilGone(recommend, 5000));
    EXPECT_EQ(opened, QStringList{portalBase + "yy/"});

    recommend = new ba4(portalBase);
    recommend->show();
    EXPECT_TRUE(waitUntilGone(recommend, 10000)) << "did not close by itself";
}

// Last in this file: it runs the application's own loop to its end, as the client does.
TEST_F(AdWindows, RecommendationAtExitKeepsTheProgramUntilItClosesWithRealTimings)
{
    serveVersion("1====0====1.0");
    openWindow();
    ASSERT_TRUE(waitUntil([this] { return window->versionCheck().ExitRecommend() == "1"; }, 30000));
    settleFor(500);
    EXPECT_TRUE(MessageBox::shown().empty()) << "this client's version was asked about";

    // The exit runs inside the loop, as from the menu; the loop ends when the last window has
    // closed, and the recommendation window closes by itself.
    QPointer<ba4> recommend;
    bool shown = false;
    bool pictureLater = false;
    QTimer exit;
    exit.setSingleShot(true);
    QObject::connect(&exit, &QTimer::timeout, [&] {
        window->ttt_v();
        recommend = static_cast<ba4 *>(topLevel("ba4"));
        shown = recommend && recommend->isVisible();
        if (!shown)
            return;
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(recommend->geometry().center(), availableScreen().center());
        EXPECT_TRUE(recommend->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_FALSE(recommend->Picture1->isVisible());
    });
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, [&] {
        pictureLater = recommend && recommend->Picture1->isVisible();
        if (recommend) {
            EXPECT_EQ(recommend->Web1->address(), portalBase + "js/ads/tui.html");
        }
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    exit.start(0);
    look.start(5000);
    giveUp.start(60000);
    EXPECT_EQ(QApplication::exec(), 0) << "the program did not end with the recommendation window";
    EXPECT_TRUE(shown);
    EXPECT_TRUE(pictureLater);
    EXPECT_TRUE(recommend.isNull()) << "the program ended while the recommendation window was open";
}
