// Before-navigate with cancel, as the portal's private links need it: the exact text,
// whoever starts the navigation, and nothing at all loads once it is cancelled.
#include "pane_fixture.h"
#include "portal_process.h"
#include "temp_home.h"

#include <QApplication>

#include <QTcpServer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>

namespace {

const char kGameLink[] = "veloflash://12$$$http://h/g.swf$$$%u6D4B";

int closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed again when server goes
}

bool requested(const QString &target)
{
    return PaneTest::portal().requestLog().filter(target).size() > 0;
}

} // namespace

class PaneNavigation : public PaneTest {
protected:
    void openLinksPage()
    {
        load(siteUrl("links.html"));
        // The frames' documents finish on their own; the clicks need them.
        ASSERT_TRUE(waitFor([&] {
            return js("[...document.querySelectorAll('iframe')].every(f => f.contentDocument && "
                      "f.contentDocument.readyState === 'complete')")
                .toBool();
        }));
        log.clear();
        portal().clearLog();
        historyBefore_ = historyCount();
        urlBefore_ = pane->page()->url();
    }

    // After a cancelled navigation: only the event, the same page, no new history entry.
    void expectNothingElse(const QString &text)
    {
        settle();
        EXPECT_EQ(log, PaneLog{"before " + text});
        EXPECT_EQ(historyCount(), historyBefore_);
        EXPECT_EQ(pane->page()->url(), urlBefore_);
        EXPECT_EQ(js("document.title").toString(), "links");
        EXPECT_TRUE(portal().requestLog().isEmpty()) << portal().requestLog().join(", ").toStdString();
    }

    int historyBefore_ = 0;
    QUrl urlBefore_;
};

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
    expectNothingElse(kGameLink);

    log.clear();
    click("#raw");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse("veloflash://7$$$tetris$$$测试 x");

    log.clear();
    click("#delete", "velomain");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse("delk://5");

    log.clear();
    click("#game", "other");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse("veloflash://33$$$http://h/f.swf$$$%u8BD5/");
}

TEST_F(PaneNavigation, ScriptsFormsAndWindowOpenRaiseTheEventWithTheirText)
{
    openLinksPage();
    js(QString("location.href = '%1'").arg(kGameLink));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse(kGameLink);

    log.clear();
    js("frames['velomain'].eval(\"location.assign('open://8')\")");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse("open://8");

    log.clear();
    js("document.getElementById('form').submit()");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse("open://9?q=x");

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
    expectNothingElse("open://0.0.0.3");

    log.clear();
    js(QString("location.href = '%1'").arg(kGameLink));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse(kGameLink);
}

TEST_F(PaneNavigation, ACancelledWebLinkLeavesPageAndHistoryAsTheyWere)
{
    openLinksPage();
    cancelIf = [](const QString &) { return true; };
    click("#next");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectNothingElse(siteUrl("next.html"));

    // Allowed, the same click loads the page and adds to the history.
    log.clear();
    cancelIf = [](const QString &) { return false; };
    click("#next");
    ASSERT_TRUE(waitFor([&] { return log.contains("complete"); }));
    EXPECT_EQ(log, (PaneLog{"before " + siteUrl("next.html"), "begin", "complete"}));
    EXPECT_EQ(historyCount(), historyBefore_ + 1);

    // Back raises the event too; cancelled, the pane stays.
    log.clear();
    cancelIf = [](const QString &) { return true; };
    pane->goBack();
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    settle();
    EXPECT_EQ(log, PaneLog{"before " + siteUrl("links.html")});
    EXPECT_EQ(js("document.title").toString(), "next");
    cancelIf = [](const QString &) { return false; };
    pane->goBack();
    ASSERT_TRUE(waitFor([&] { return js("document.title").toString() == "links"; }));
    pane->goForward();
    ASSERT_TRUE(waitFor([&] { return js("document.title").toString() == "next"; }));
}

TEST_F(PaneNavigation, NavigateErrorNamesTheFailingAddress)
{
    const QString refused = QString("http://127.0.0.1:%1/").arg(closedPort());
    load(refused);
    EXPECT_TRUE(log.contains("error " + refused)) << log.join(" | ").toStdString();
    EXPECT_LT(log.indexOf("error " + refused), log.indexOf("complete"));

    log.clear();
    const QString missing = siteUrl("missing.html");
    load(missing);
    EXPECT_TRUE(log.contains("error " + missing)) << log.join(" | ").toStdString();

    // A frame that cannot load: its address, from inside the page.
    log.clear();
    const QString page = siteUrl("broken_frame.html#%1").arg(closedPort());
    pane->navigate(page);
    const QString frameAddress = QString("http://127.0.0.1:%1/gone.html").arg(page.section('#', 1));
    EXPECT_TRUE(waitFor([&] { return log.contains("error " + frameAddress); })) << log.join(" | ").toStdString();

    // A private link nobody cancels cannot load either; the page stays.
    log.clear();
    load(siteUrl("next.html"));
    log.clear();
    cancelIf = [](const QString &) { return false; };
    pane->navigate("open://3");
    settle();
    EXPECT_EQ(log, (PaneLog{"before open://3", "error open://3"}));
    EXPECT_EQ(js("document.title").toString(), "next");
}

TEST_F(PaneNavigation, NewWindowsAreRefusedOrOpenedAsTheHandlerSays)
{
    load(siteUrl("links.html"));
    const int windowsBefore = QApplication::topLevelWidgets().size();
    log.clear();
    portal().clearLog();
    cancelNewWindows = true;
    js(QString("window.open('%1')").arg(siteUrl("next.html")));
    ASSERT_TRUE(waitFor([&] { return log.contains("newWindow"); }));
    settle();
    EXPECT_EQ(log, PaneLog{"newWindow"});
    EXPECT_FALSE(requested("/next.html"));

    cancelNewWindows = false;
    js(QString("window.open('%1')").arg(siteUrl("next.html")));
    ASSERT_TRUE(waitFor([&] { return requested("/next.html"); }));
    QWidget *popup = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget != pane.get() && qobject_cast<BrowserPane *>(widget) && widget->isVisible())
            popup = widget;
    ASSERT_NE(popup, nullptr);
    EXPECT_GT(QApplication::topLevelWidgets().size(), windowsBefore);
    delete popup;
}
