// The load events around a navigation: nothing for a cancelled one, the failing address
// for an error, and new windows as the handler decides.
#include "pane_fixture.h"
#include "portal_process.h"

#include <QApplication>
#include <QWebEnginePage>

using PaneLoadEvents = PaneTest;

TEST_F(PaneLoadEvents, ACancelledWebLinkLeavesPageAndHistoryAsTheyWere)
{
    openLinksPage();
    const int history = historyCount();
    cancelIf = [](const QString &) { return true; };
    click("#next");
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    expectOnlyTheEvent(siteUrl("next.html"));

    // Allowed, the same click loads the page and adds to the history.
    log.clear();
    cancelIf = [](const QString &) { return false; };
    click("#next");
    ASSERT_TRUE(waitFor([&] { return log.contains("complete"); }));
    EXPECT_EQ(log, (PaneLog{"before " + siteUrl("next.html"), "begin", "complete"}));
    EXPECT_EQ(historyCount(), history + 1);

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

TEST_F(PaneLoadEvents, NavigateErrorNamesTheFailingAddress)
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

TEST_F(PaneLoadEvents, NewWindowsAreRefusedOrOpenedAsTheHandlerSays)
{
    load(siteUrl("links.html"));
    const int windowsBefore = QApplication::topLevelWidgets().size();
    log.clear();
    portal().clearLog();
    cancelNewWindows = true;
    // Pop-ups come from the player's click only.
    js(QString("document.getElementById('next').onclick = (e) => { e.preventDefault(); window.open('%1'); }")
           .arg(siteUrl("next.html")));
    click("#next");
    ASSERT_TRUE(waitFor([&] { return log.contains("newWindow"); }));
    settle();
    EXPECT_EQ(log, PaneLog{"newWindow"});
    EXPECT_FALSE(requested("/next.html"));

    cancelNewWindows = false;
    click("#next");
    ASSERT_TRUE(waitFor([&] { return requested("/next.html"); }));
    QWidget *popup = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget != pane.get() && qobject_cast<BrowserPane *>(widget) && widget->isVisible())
            popup = widget;
    ASSERT_NE(popup, nullptr);
    EXPECT_GT(QApplication::topLevelWidgets().size(), windowsBefore);
    delete popup;
}
