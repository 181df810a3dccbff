// An installed client (this test program sits in a folder laid out as an installation, with
// the installed marker) keeps the player's files in $XDG_DATA_HOME/Tamsa游戏盒 and still plays
// a downloaded game there with the emulator of the installation.
#include "browser/browser_pane.h"
#include "pane_driver.h"
#include "base/program_folder.h"
#include "startup/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(PlayerFolder, AnInstalledClientKeepsThePlayersFilesApartAndPlaysTheirGames)
{
    ASSERT_TRUE(qEnvironmentVariableIsEmpty("TAMSA_HOME"));
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString installation = QCoreApplication::applicationDirPath();
    const QStringList installedBefore = QDir(installation).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ASSERT_EQ(programFolder(), data.path() + "/Tamsa游戏盒");
    ASSERT_EQ(installFolder(), installation);

    prepareProgramFolder();
    StartUp();
    // The list pages show i.gif from beside themselves; the player page plays ../flash/<id>.swf.
    for (const char *file : {"config.ini", "app/n.htm", "app/i.gif", "app/flash.htm"})
        EXPECT_TRUE(QFileInfo::exists(programPath(file))) << file;
    EXPECT_FALSE(QFileInfo::exists(programPath("app/ruffle")));
    QDir().mkpath(programPath("flash"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/test-solid.swf"), programPath("flash/5.swf")));

    BrowserPane pane;
    pane.resize(800, 600);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    pane.navigate(programPath("app/flash.htm") + "?5");
    QString seen;
    EXPECT_TRUE(waitUntil(
        [&] {
            seen = colourCoverage(pane.grabImage(), QColor(0xff, 0, 0), 0.9);
            return seen.isEmpty();
        },
        30000))
        << seen.toStdString();

    EXPECT_TRUE(QFileInfo(programPath("profile")).isDir());
    EXPECT_EQ(QDir(installation).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), installedBefore);

    // A folder of the player's choosing gets the same from the installation.
    QTemporaryDir chosen;
    qputenv("TAMSA_HOME", chosen.path().toUtf8());
    EXPECT_EQ(installFolder(), installation);
    prepareProgramFolder();
    EXPECT_TRUE(QFileInfo::exists(chosen.filePath("app/flash.htm")));
    qunsetenv("TAMSA_HOME");
}
