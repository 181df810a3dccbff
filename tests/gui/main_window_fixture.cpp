#include "main_window_fixture.h"

#include "pane_driver.h"
#include "portal_process.h"
#include "base/ini_file.h"
#include "startup/startup.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QTest>

TempHome &MainWindowTest::home()
{
    static TempHome home(true);
    return home;
}

PortalProcess &MainWindowTest::portal()
{
    static PortalProcess portal;
    return portal;
}

QString MainWindowTest::builtGame(const QString &file) { return QStringLiteral(GAMEBOX_GAMES_DIR "/") + file; }

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(portal().isListening());
    portalBase = portal().baseUrl();
    for (const char *name : {"config.ini", "app/date_n.dat", "app/date_c.dat", "app/date_d.dat", "app/n.htm",
                             "app/c.htm", "app/d.htm"})
        QFile::remove(home().file(name));
    QDir(home().file("flash")).removeRecursively();
    IniFile(home().file("config.ini")).write("main", "Portal", portalBase);
    StartUp();
    portal().clearLog();
}

void MainWindowTest::TearDown() { window.reset(); }

void MainWindowTest::openWindow(bool waitForPortal)
{
    window = std::make_unique<BA1>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    if (waitForPortal)
        waitForPortalPage();
}

void MainWindowTest::waitForPortalPage()
{
    ASSERT_TRUE(waitUntil([this] { return tabPage(0)->isVisible() && !control("zzer")->isVisible(); }, 30000))
        << "the portal page did not load";
}

void MainWindowTest::writeRecords(const QString &recordFile, const QByteArray &lines)
{
    home().write("app/" + recordFile, lines);
    Records(home().file("app")).BuildListPage(recordFile);
}

bool MainWindowTest::portalWasAsked(const QString &target) const
{
    for (const QString &line : portal().requestLog()) {
        if (line.startsWith(target))
            return true;
    }
    return false;
}
