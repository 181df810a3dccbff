// Where the client writes: a portable copy beside itself, an installation in the player's own
// folder, and what the player's folder gets from the installation.
#include "base/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Sets an environment variable, or unsets it for nullptr.
void setEnv(const char *name, const char *value)
{
    if (value)
        qputenv(name, value);
    else
        qunsetenv(name);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(ProgramFolder, ChosenByTamsaHomeWritabilityAndTheInstalledMarker)
{
    QTemporaryDir executable, home;
    const QString user = QStringLiteral("/Tamsa游戏盒");
    setEnv("HOME", home.path().toUtf8().constData());
    struct Case {
        const char *name;
        const char *tamsaHome;
        bool marked;
        const char *dataHome;
        QString expected;
    };
    const Case cases[] = {
        {"portable copy", nullptr, false, "/data", executable.path()},
        {"TAMSA_HOME wins over a portable copy", "/games/box//", false, "/data", "/games/box"},
        {"TAMSA_HOME wins over an installation", "/games/box", true, "/data", "/games/box"},
        {"installation", nullptr, true, "/data/", "/data" + user},
        {"installation, XDG_DATA_HOME unset", nullptr, true, nullptr, home.path() + "/.local/share" + user},
        {"installation, relative XDG_DATA_HOME ignored", nullptr, true, "data", home.path() + "/.local/share" + user},
    };
    for (const Case &c : cases) {
        setEnv("TAMSA_HOME", c.tamsaHome);
        setEnv("XDG_DATA_HOME", c.dataHome);
        QFile::remove(executable.filePath(kInstalledMarker));
        if (c.marked)
            writeFile(executable.filePath(kInstalledMarker), "");
        EXPECT_EQ(programFolderFor(executable.path()), c.expected) << c.name;
    }
}

TEST(ProgramFolder, AnExecutableFolderThePlayerCannotWriteIsAnInstallation)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes everywhere; the installed marker covers that case";
    QTemporaryDir executable;
    setEnv("TAMSA_HOME", nullptr);
    setEnv("XDG_DATA_HOME", "/data");
    QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(programFolderFor(executable.path()), QStringLiteral("/data/Tamsa游戏盒"));
    QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolder, ThePlayersFolderGetsThePagesOfTheInstallationButNotTheEmulator)
{
    QTemporaryDir installation, data;
    const QString folder = data.path() + "/share/Tamsa游戏盒";
    writeFile(installation.filePath("app/flash.htm"), "player page v2");
    writeFile(installation.filePath("app/i.gif"), "GIF89a");
    writeFile(installation.filePath("app/.stamp"), "");
    writeFile(installation.filePath("app/ruffle/ruffle.js"), "emulator");

    // First start: created, with the pages' files beside the lists to come.
    prepareProgramFolder(folder, installation.path());
    EXPECT_EQ(readFile(folder + "/app/flash.htm"), "player page v2");
    EXPECT_EQ(readFile(folder + "/app/i.gif"), "GIF89a");
    EXPECT_FALSE(QFileInfo::exists(folder + "/app/.stamp"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/app/ruffle"));

    // Later starts: an upgraded installation reaches the copy; the player's own files stay.
    writeFile(folder + "/app/date_n.dat", "game|1|x|0\r\n");
    writeFile(folder + "/app/flash.htm", "player page v1");
    prepareProgramFolder(folder, installation.path());
    EXPECT_EQ(readFile(folder + "/app/flash.htm"), "player page v2");
    EXPECT_EQ(readFile(folder + "/app/date_n.dat"), "game|1|x|0\r\n");
    EXPECT_EQ(QDir(folder + "/app").entryList(QDir::Files | QDir::Hidden).size(), 3);

    // A portable copy is its own installation: nothing is copied onto itself.
    prepareProgramFolder(installation.path(), installation.path());
    EXPECT_EQ(readFile(installation.filePath("app/flash.htm")), "player page v2");
    EXPECT_EQ(QDir(installation.filePath("app")).entryList(QDir::Files | QDir::Hidden).size(), 3);
}
