// Before-navigate with cancel, as the portal's private links need it: the exact text,
// whoever starts the navigation, and nothing at all loads once it is cancelled.
#include "browser/page_bridge.h"
#include "pane_fixture.h"
#include "portal_process.h"
#include "temp_home.h"

#include <QApplication>
#include <QDesktopServices>

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>

namespace {

const char kGameLink[] = "veloflash://12$$$http://h/g.swf$$$%u6D4B";

// Stands in for the desktop's handler of a scheme and counts the addresses it is given.
class DesktopHandler : public QObject {
    Q_OBJECT
public:
    int asked = 0;
public slots:
    void open(const QUrl &) { ++asked; }
};

} // namespace

using PaneNavigation = PaneTest;

TEST_F(PaneNavigation, NavigateRaisesTheExactTextFirstAndACancelledAddressLoadsNothing)
{
    for (const QString link : {"open://3", kGameLink, "delk://4/", "velojf://5$$$k$$$%u6D4B%u8BD5/"}) {
        log.clear();
        pane->navigate(link);
        settle(300);
        EXPECT_EQ(log, PaneLog{"before " + link});
    }
    const QString page = siteUrl("next.html");
    log.clear();
    portal().clearLog();
    cancelIf = [](const QString &) { return true; };
    pane->navigate(page);
    settle();
    EXPECT_EQ(log, PaneLog{"before " + page});
    EXPECT_FALSE(requested("/next.html"));
    EXPECT_EQ(pane->page()->url(), QUrl());
}

TEST_F(PaneNavigation, AnAllowedAddressLoadsAfterItsEventAndKeepsItsText)
{
    const QString page = siteUrl("next.html");
    load(page);
    EXPECT_EQ(log, (PaneLog{"before " + page, "begin", "complete"}));
    EXPECT_EQ(pane->address(), page);
    EXPECT_EQ(js("document.getElementById('text').textContent").toString(), "next page");

    // A local file with a query, as the list pages and the local player page are given.
    home().write("app/page.htm", "<title>local</title><script>document.title = location.search;</script>");
    const QString local = home().file("app/page.htm") + "?123";
    log.clear();
    load(local);
    EXPECT_EQ(log.first(), "before " + local);
    EXPECT_EQ(pane->address(), local);
    EXPECT_EQ(js("document.title").toString(), "?123");
}

TEST_F(PaneNavigation, ClickedPrivateLinksArriveAsWrittenInThePageAndInFrames)
{
    openLinksPage();
    click("#game");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent(kGameLink);

    log.clear();
    click("#raw");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("veloflash://7$$$tetris$$$测试 x");

    log.clear();
    click("#delete", "velomain");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("delk://5");

    log.clear();
    click("#game", "other");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("veloflash://33$$$http://h/f.swf$$$%u8BD5/");
}

TEST_F(PaneNavigation, ScriptsFormsAndWindowOpenRaiseTheEventWithTheirText)
{
    openLinksPage();
    js(QString("location.href = '%1'").arg(kGameLink));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent(kGameLink);

    log.clear();
    js("frames['velomain'].eval(\"location.assign('open://8')\")");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("open://8");

    log.clear();
    js("document.getElementById('form').submit()");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("open://9?q=x");

    // window.open of a private link: the new-window event first, then the link's own.
    log.clear();
    js(QString("window.open('%1')").arg(kGameLink));
    ASSERT_TRUE(waitFor([&] { return log.size() >= 2; }));
    settle();
    EXPECT_EQ(log, (PaneLog{"newWindow", QString("before ") + kGameLink}));
    EXPECT_TRUE(portal().requestLog().isEmpty());

    // From a frame as well; a refused new window takes the link with it.
    log.clear();
    cancelNewWindows = true;
    js("frames['other'].eval(\"window.open('vepbad://ad')\")");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    settle();
    EXPECT_EQ(log, PaneLog{"newWindow"});
}

TEST_F(PaneNavigation, ALinkTooLongToReportIsNeitherRaisedNorFollowed)
{
    openLinksPage();
    const QString longest = "open://" + QString(PageBridge::kLongestReport - 7, '1');
    js(QString("location.href = '%1'").arg(longest));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent(longest);

    log.clear();
    js(QString("location.href = '%1'").arg(longest + "1"));
    settle();
    EXPECT_TRUE(log.isEmpty()) << log.size() << " events";
    EXPECT_EQ(js("document.title").toString(), "links");
    EXPECT_TRUE(portal().requestLog().isEmpty());
}

// The page's script cannot reach the bridge directly, but the bound must not rest on that.
TEST(PageBridgeReports, ATextOverTheBoundIsDropped)
{
    PageBridge bridge;
    QList<qsizetype> sizes;
    QObject::connect(&bridge, &PageBridge::reported,
                     [&](const QString &, const QString &text) { sizes << text.size(); });
    bridge.report("navigate", QString(PageBridge::kLongestReport + 1, 'x'));
    bridge.report("contextMenu", QString(PageBridge::kLongestReport, 'x'));
    EXPECT_EQ(sizes, QList<qsizetype>{PageBridge::kLongestReport});
}

TEST_F(PaneNavigation, WhereTheDocumentScriptCannotActTheEngineStillRefusesPrivateLinks)
{
    // The same page without the client's document script: the engine's own rewrite of the
    // link is all that is left, but the navigation is raised and refused all the same.
    QWebEngineScriptCollection *scripts = pane->page()->profile()->scripts();
    const QList<QWebEngineScript> bridge = scripts->find("tamsa-bridge");
    ASSERT_EQ(bridge.size(), 1);
    scripts->remove(bridge.first());
    openLinksPage();
    click("#list");
    const bool raised = waitFor([&] { return !log.isEmpty(); });
    scripts->insert(bridge.first());
    ASSERT_TRUE(raised);
    expectOnlyTheEvent("open://0.0.0.3");

    log.clear();
    js(QString("location.href = '%1'").arg(kGameLink));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent(kGameLink);
}

TEST_F(PaneNavigation, TheDesktopIsNeverAskedToOpenALink)
{
    DesktopHandler desktop;
    for (const char *scheme : {"foo", "mailto", "open", "veloflash"})
        QDesktopServices::setUrlHandler(scheme, &desktop, "open");
    openLinksPage();
    click("#foreign");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent("foo://bar");

    // Not even when nobody cancels.
    cancelIf = [](const QString &) { return false; };
    for (const QString script : {"location.href = 'mailto:player@example.org'", "location.href = 'open://3'"}) {
        log.clear();
        js(script);
        ASSERT_TRUE(waitFor([&] { return log.size() >= 2; }));
    }
    click("#game");
    settle();
    for (const char *scheme : {"foo", "mailto", "open", "veloflash"})
        QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(desktop.asked, 0);
    EXPECT_EQ(js("document.title").toString(), "links");
}

#include "pane_navigation_test.moc"
