#pragma once

#include "browser/browser_pane.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>

class PortalProcess;
class TempHome;

// What a pane raised, in order: "before <url>", "newWindow", "begin", "complete",
// "error <url>", "menu <href>".
using PaneLog = QStringList;

// A shown 800x600 pane on the test site (tests/browser/site plus the built games, served by
// the test portal), with every event it raises logged. The program folder and the portal
// live for the whole test program: the engine's one profile is stored in that folder.
class PaneTest : public ::testing::Test {
public:
    static TempHome &home();
    static PortalProcess &portal();
    static QString siteUrl(const QString &page);
    // Whether the portal was asked for a target containing this text since its log was cleared.
    static bool requested(const QString &target);
    // A loopback port nobody listens on.
    static int closedPort();

protected:
    void SetUp() override;
    void TearDown() override;

    // navigate(address), then wait for the load to complete.
    void load(const QString &address);
    // load(), then wait for the documents of its frames too, and forget the events so far.
    void loadWithFrames(const QString &address);
    // The test site's page of links and frames, loaded, with the portal's log cleared.
    void openLinksPage();
    // After a cancelled navigation: only its event, the same page, no new history entry and
    // nothing asked of the portal.
    void expectOnlyTheEvent(const QString &text);
    // Runs script in the page's own world of the main document and returns its value.
    QVariant js(const QString &script);
    // Centre of the element in pane coordinates; frame names an iframe of the main document.
    QPoint centreOf(const QString &selector, const QString &frame = {});
    void click(const QString &selector, const QString &frame = {},
               Qt::MouseButton button = Qt::LeftButton);
    bool waitFor(const std::function<bool()> &condition, int msecs = 15000);
    // Waits msecs while events arrive, for checks that something did not happen.
    void settle(int msecs = 1000);
    int historyCount();

    std::unique_ptr<BrowserPane> pane;
    PaneLog log;
    // Which navigations the test's handler cancels; by default every private link.
    std::function<bool(const QString &)> cancelIf;
    bool cancelNewWindows = false;

private:
    int historyBefore_ = 0;
    QUrl urlBefore_;
};

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QStringList &list, std::ostream *out);

