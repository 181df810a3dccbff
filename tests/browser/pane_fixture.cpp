#include "pane_fixture.h"

#include "pane_driver.h"
#include "portal_process.h"
#include "temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The test site: our pages and the generated games, in one folder the portal serves.
QString siteFolder()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        filled = true;
        const QString pages = QStringLiteral(GAMEBOX_SOURCE_DIR "/tests/browser/site");
        for (const QString &name : QDir(pages).entryList(QDir::Files))
            QFile::copy(pages + "/" + name, dir.filePath(name));
        QDir().mkpath(dir.filePath("games"));
        const QString games = QStringLiteral(GAMEBOX_GAMES_DIR);
        for (const QString &name : QDir(games).entryList({"*.swf"}, QDir::Files))
            QFile::copy(games + "/" + name, dir.filePath("games/" + name));
    }
    return dir.path();
}

bool isPrivateText(const QString &text)
{
    return !text.startsWith("http") && !text.startsWith("/") && !text.startsWith("about:") &&
           !text.startsWith("file:");
}

} // namespace

TempHome &PaneTest::home()
{
    static TempHome home(true);
    return home;
}

PortalProcess &PaneTest::portal()
{
    static PortalProcess portal({"--site", siteFolder()});
    return portal;
}

QString PaneTest::siteUrl(const QString &page) { return portal().url(page); }

bool PaneTest::requested(const QString &target) { return !portal().requestLog().filter(target).isEmpty(); }

int PaneTest::closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed again as the server goes
}

void PaneTest::SetUp()
{
    home();
    ASSERT_TRUE(portal().isListening());
    cancelIf = isPrivateText;
    pane = std::make_unique<BrowserPane>();
    pane->resize(800, 600);
    pane->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
    // Keyboard focus and the edit commands need the window to be the active one.
    pane->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pane.get()));
    QObject::connect(pane.get(), &BrowserPane::beforeNavigate, pane.get(),
                     [this](const QString &url, bool *cancel) {
                         log << "before " + url;
                         *cancel = cancelIf(url);
                     });
    QObject::connect(pane.get(), &BrowserPane::newWindow, pane.get(), [this](bool *cancel) {
        log << "newWindow";
        *cancel = cancelNewWindows;
    });
    QObject::connect(pane.get(), &BrowserPane::downloadBegin, pane.get(), [this] { log << "begin"; });
    QObject::connect(pane.get(), &BrowserPane::downloadComplete, pane.get(), [this] { log << "complete"; });
    QObject::connect(pane.get(), &BrowserPane::navigateError, pane.get(),
                     [this](const QString &url) { log << "error " + url; });
    QObject::connect(pane.get(), &BrowserPane::contextMenuRequested, pane.get(),
                     [this](const QString &href, const QPoint &) { log << "menu " + href; });
}

void PaneTest::TearDown() { pane.reset(); }

void PaneTest::load(const QString &address)
{
    const int before = log.count("complete");
    pane->navigate(address);
    ASSERT_TRUE(waitFor([&] { return log.count("complete") > before; })) << address.toStdString();
}

void PaneTest::loadWithFrames(const QString &address)
{
    load(address);
    ASSERT_TRUE(waitFor([&] {
        return js("[...document.querySelectorAll('iframe')].every(f => f.contentDocument && "
                  "f.contentDocument.readyState === 'complete')")
            .toBool();
    }));
    log.clear();
}

void PaneTest::openLinksPage()
{
    loadWithFrames(siteUrl("links.html"));
    portal().clearLog();
    historyBefore_ = historyCount();
    urlBefore_ = pane->page()->url();
}

void PaneTest::expectOnlyTheEvent(const QString &text)
{
    settle();
    EXPECT_EQ(log, PaneLog{"before " + text});
    EXPECT_EQ(historyCount(), historyBefore_);
    EXPECT_EQ(pane->page()->url(), urlBefore_);
    EXPECT_EQ(js("document.title").toString(), "links");
    EXPECT_TRUE(portal().requestLog().isEmpty()) << portal().requestLog().join(", ").toStdString();
}

QVariant PaneTest::js(const QString &script) { return runJs(*pane, script); }

QPoint PaneTest::centreOf(const QString &selector, const QString &frame) { return elementCentre(*pane, selector, frame); }

void PaneTest::click(const QString &selector, const QString &frame, Qt::MouseButton button)
{
    clickElement(*pane, selector, frame, button);
}

bool PaneTest::waitFor(const std::function<bool()> &condition, int msecs) { return waitUntil(condition, msecs); }

void PaneTest::settle(int msecs) { settleFor(msecs); }

int PaneTest::historyCount() { return pane->page()->history()->count(); }

void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << "{ ";
    for (const QString &text : list) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}
