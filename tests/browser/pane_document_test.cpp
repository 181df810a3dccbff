// What the main window does with a loaded document: no dialogs in silent mode, the menu
// policy with the raw href under the pointer, copy and paste, hiding and pausing a page.
#include "pane_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QWebEnginePage>
#include <QWindow>

namespace {

// Visible top-level widgets of type T (dialogs, the engine's menus), closed on request.
template <typename T> QList<T *> visibleTopLevels()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *typed = qobject_cast<T *>(widget); typed && typed->isVisible())
            found << typed;
    return found;
}

template <typename T> void closeAll()
{
    for (T *widget : visibleTopLevels<T>())
        widget->close();
}

} // namespace

class PaneDocument : public PaneTest {
protected:
    // Right-click, then whether the engine's own menu came up (closed again here).
    bool rightClickShowsEngineMenu(const QString &selector, const QString &frame = {})
    {
        click(selector, frame, Qt::RightButton);
        const bool shown = waitFor([] { return !visibleTopLevels<QMenu>().isEmpty(); }, 2000);
        closeAll<QMenu>();
        return shown;
    }
};

TEST_F(PaneDocument, ASilentPaneShowsNoDialogAndThePageGoesOn)
{
    pane->setSilent(true);
    load(siteUrl("dialogs.html"));
    js("setTimeout(askEverything, 0)");
    EXPECT_TRUE(waitFor([&] { return js("document.title").toString() == "went on false null"; }))
        << js("document.title").toString().toStdString();
    EXPECT_TRUE(visibleTopLevels<QDialog>().isEmpty());

    // A page that asks before it is left (after the player played on it) is left all the same.
    load(siteUrl("leave.html"));
    click("#play");
    settle(300);
    load(siteUrl("next.html"));
    EXPECT_TRUE(waitFor([&] { return js("document.title").toString() == "next"; }));
    EXPECT_TRUE(visibleTopLevels<QDialog>().isEmpty());

    // Not silent, the engine asks the player.
    pane->setSilent(false);
    int dialogsSeen = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        dialogsSeen += visibleTopLevels<QDialog>().size();
        closeAll<QDialog>();
    });
    closer.start(100);
    js("setTimeout(() => { alert('shown'); document.title = 'closed'; }, 0)");
    EXPECT_TRUE(waitFor([&] { return js("document.title").toString() == "closed"; }));
    EXPECT_GE(dialogsSeen, 1);
}

TEST_F(PaneDocument, ClientMenusGetTheRawHrefInTheMainDocumentAndTheNamedFrames)
{
    pane->setMenuPolicy(BrowserPane::MenuPolicy::Client, {"velomain"});
    openLinksPage();
    EXPECT_FALSE(rightClickShowsEngineMenu("#game"));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    EXPECT_EQ(log, PaneLog{"menu veloflash://12$$$http://h/g.swf$$$%u6D4B"});

    log.clear();
    EXPECT_FALSE(rightClickShowsEngineMenu("#empty"));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    EXPECT_EQ(log, PaneLog{"menu "});

    log.clear();
    EXPECT_FALSE(rightClickShowsEngineMenu("#delete", "velomain"));
    ASSERT_TRUE(waitFor([&] { return !log.isEmpty(); }));
    EXPECT_EQ(log, PaneLog{"menu delk://5"});

    // A frame the client does not answer for keeps the engine's menu.
    log.clear();
    EXPECT_TRUE(rightClickShowsEngineMenu("#delete", "other"));
    settle(500);
    EXPECT_TRUE(log.isEmpty()) << log.join(" | ").toStdString();
}

TEST_F(PaneDocument, PanesWithoutMenusShowNoneAndBrowserPanesTheEnginesOwn)
{
    openLinksPage();
    // Set on a document already shown: it takes effect there at once.
    pane->setMenuPolicy(BrowserPane::MenuPolicy::None);
    settle(300);
    EXPECT_FALSE(rightClickShowsEngineMenu("#game"));
    EXPECT_FALSE(rightClickShowsEngineMenu("#delete", "velomain"));
    settle(500);
    EXPECT_TRUE(log.isEmpty()) << log.join(" | ").toStdString();

    pane->setMenuPolicy(BrowserPane::MenuPolicy::Browser);
    openLinksPage();
    EXPECT_TRUE(rightClickShowsEngineMenu("#game"));
    settle(500);
    EXPECT_TRUE(log.isEmpty()) << log.join(" | ").toStdString();
}

TEST_F(PaneDocument, CopyAndPasteGoThroughTheClipboard)
{
    load(siteUrl("dialogs.html"));
    QApplication::clipboard()->clear();
    js("getSelection().selectAllChildren(document.getElementById('text'))");
    pane->copy();
    EXPECT_TRUE(waitFor([] { return QApplication::clipboard()->text() == "some text to copy"; }))
        << QApplication::clipboard()->text().toStdString();

    QApplication::clipboard()->setText("pasted 粘贴");
    js("document.getElementById('field').focus()");
    pane->paste();
    EXPECT_TRUE(waitFor([&] { return js("document.getElementById('field').value").toString() == QString::fromUtf8("pasted 粘贴"); }));
}

TEST_F(PaneDocument, HidingKeepsThePageAndFreezingStopsItWhileHidden)
{
    load(siteUrl("counter.html"));
    js("window.kept = 42");
    log.clear();

    // Hidden, the page goes on (the engine slows its timers down to about one a second).
    js("mark()");
    pane->hide();
    settle(3000);
    pane->show();
    settle(200);
    EXPECT_EQ(js("window.kept").toInt(), 42);
    EXPECT_LT(js("longestPause()").toDouble(), 1800);
    EXPECT_TRUE(log.isEmpty()) << log.join(" | ").toStdString();

    // Frozen while hidden, it stands still; asked while shown, the pause waits for the hide.
    pane->setFrozen(true);
    settle(300);
    EXPECT_EQ(pane->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
    js("mark()");
    pane->hide();
    ASSERT_TRUE(waitFor([&] { return pane->page()->lifecycleState() == QWebEnginePage::LifecycleState::Frozen; }));
    settle(3000);
    pane->show();
    settle(200);
    EXPECT_GT(js("longestPause()").toDouble(), 2500);
    EXPECT_EQ(pane->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);

    // Shown, it runs again; hidden once more, it is frozen again until released.
    js("mark()");
    settle(300);
    EXPECT_LT(js("longestPause()").toDouble(), 200);
    pane->hide();
    EXPECT_TRUE(waitFor([&] { return pane->page()->lifecycleState() == QWebEnginePage::LifecycleState::Frozen; }));
    pane->setFrozen(false);
    EXPECT_TRUE(waitFor([&] { return pane->page()->lifecycleState() == QWebEnginePage::LifecycleState::Active; }));
    pane->show();
    EXPECT_EQ(js("window.kept").toInt(), 42);
}

// Kept off the GPU (as here, under Xvfb), frames are composed by Qt Quick's software renderer
// into an ordinary window: through OpenGL, a software rasteriser would run on the window's
// thread at every frame.
TEST_F(PaneDocument, WithoutTheGpuTheWindowIsPaintedWithoutOpenGl)
{
    ASSERT_TRUE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--disable-gpu"));
    load(siteUrl("counter.html"));
    ASSERT_NE(pane->window()->windowHandle(), nullptr);
    EXPECT_EQ(pane->window()->windowHandle()->surfaceType(), QSurface::RasterSurface);
}
