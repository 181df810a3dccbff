// The autostart entry: its Exec line, and writing and removing the file.
#include "shell/autostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Autostart, ExecQuotesReservedCharactersThenEscapesForTheFile)
{
    const struct {
        const char *path;
        const char *exec; // as it stands in the file; nullptr: no entry can carry it
    } cases[] = {
        {"/home/小明/游戏盒/play", "/home/小明/游戏盒/play"},
        {"/opt/My Games/play", "\"/opt/My Games/play\""},
        {"/opt/it's/play", "\"/opt/it's/play\""},
        {"/opt/a\"b/play", "\"/opt/a\\\\\"b/play\""},
        {"/opt/$HOME/`x`/play", "\"/opt/\\\\$HOME/\\\\`x\\\\`/play\""},
        {"/opt/a\\b/play", "\"/opt/a\\\\\\\\b/play\""},
        {"/opt/100%/play", "/opt/100%%/play"},
        {"/opt/100% 盒/play", "\"/opt/100%% 盒/play\""},
        {"/opt/a\tb\nc/play", "\"/opt/a\\tb\\nc/play\""},
        {"play", nullptr},
        {"", nullptr},
        {"/opt/a\x01b/play", nullptr},
    };
    for (const auto &c : cases) {
        const auto exec = desktopExecArgument(QString::fromUtf8(c.path));
        EXPECT_EQ(exec.value_or("(none)"), c.exec ? QString::fromUtf8(c.exec) : "(none)") << c.path;
    }
}

TEST(Autostart, EntryIsWrittenIntoAFolderItCreatesAndRemoved)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/config/autostart";
    ASSERT_TRUE(writeAutostartEntry("/opt/My Games/play", folder));
    QFile entry(folder + "/Tamsa游戏盒.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(entry.readAll()), "[Desktop Entry]\nType=Application\nName=Tamsa游戏盒\n"
                                                  "Icon=tamsa-gamebox\nExec=\"/opt/My Games/play\"\n");
    EXPECT_FALSE(writeAutostartEntry("relative/play", folder));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Tamsa游戏盒.desktop"});
    // Root may write anywhere; a file where the folder should be stops anyone.
    EXPECT_FALSE(writeAutostartEntry("/opt/play", entry.fileName() + "/autostart"));

    EXPECT_TRUE(removeAutostartEntry(folder));
    EXPECT_FALSE(entry.exists());
    EXPECT_FALSE(removeAutostartEntry(folder)) << "nothing to remove";
    EXPECT_FALSE(removeAutostartEntry(dir.path() + "/missing"));
}

TEST(Autostart, FolderIsXdgConfigHomeWhenAbsoluteElseUnderHome)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/home/player");
    qputenv("XDG_CONFIG_HOME", "/var/cfg/");
    EXPECT_EQ(autostartFolder(), "/var/cfg/autostart");
    qputenv("XDG_CONFIG_HOME", "cfg");
    EXPECT_EQ(autostartFolder(), "/home/player/.config/autostart");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(autostartFolder(), "/home/player/.config/autostart");
    qputenv("HOME", home);
}
