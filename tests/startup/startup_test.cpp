#include "base/ini_file.h"
#include "base/part_file.h"
#include "startup/startup.h"

#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString value(const TempHome &home, const char *section, const char *key)
{
    return IniFile(home.file("config.ini")).read(section, key, "<missing>");
}

} // namespace

TEST(StartUp, FirstStartWritesTheTenKeysInOrderAndTheAppFolder)
{
    TempHome home;
    StartUp();
    const QString ini = QString::fromUtf8(home.read("config.ini"));
    const QRegularExpression layout("^\\[main\\]\r\nName=Tamsa游戏盒\r\nuser=[0-9A-F-]+\r\nVer=1.0\r\n"
                                    "\\[S_q\\]\r\nts=3\r\nquit=2\r\ns_size=2\r\nh_w=13550\r\nh_h=9210\r\n"
                                    "s_kai=1\r\ns_pao=2\r\n$");
    EXPECT_TRUE(layout.match(ini).hasMatch()) << ini.toStdString();
    EXPECT_EQ(value(home, "main", "Portal"), "<missing>"); // start-up never writes the portal
    for (const char *record : {"app/date_n.dat", "app/date_c.dat", "app/date_d.dat"})
        EXPECT_EQ(home.read(record), "\r\n") << record;
    for (const char *page : {"app/n.htm", "app/c.htm", "app/d.htm"})
        EXPECT_TRUE(home.read(page).contains("\xd4\xdd\xce\xde\xbc\xc7\xc2\xbc")) << page; // 暂无记录 in GB18030
    EXPECT_FALSE(home.exists("flash"));
}

TEST(StartUp, EmptyConfigIsNormalisedWithoutName)
{
    TempHome home;
    home.write("config.ini", "");
    StartUp();
    EXPECT_EQ(value(home, "main", "Name"), "<missing>");
    EXPECT_NE(value(home, "main", "user"), "<missing>");
    EXPECT_EQ(value(home, "main", "Ver"), "1.0");
    EXPECT_EQ(value(home, "S_q", "ts"), "3");
    EXPECT_EQ(value(home, "S_q", "quit"), "2");
    EXPECT_EQ(value(home, "S_q", "s_size"), "2");
    EXPECT_EQ(value(home, "S_q", "h_w"), "13550");
    EXPECT_EQ(value(home, "S_q", "h_h"), "9210");
    EXPECT_EQ(value(home, "S_q", "s_pao"), "2");
    EXPECT_EQ(value(home, "S_q", "s_kai"), "1");
    // Normalisation order: s_pao is written before s_kai.
    const QByteArray ini = home.read("config.ini");
    EXPECT_LT(ini.indexOf("s_pao="), ini.indexOf("s_kai="));
}

TEST(StartUp, NormalisationKeepsSaneValuesAndMendsOthers)
{
    struct Case {
        const char *key;
        const char *stored;
        const char *expected;
    };
    const Case cases[] = {
        {"ts", "2", "2"},  {"ts", "1", "1"},      {"ts", "5", "3"},        {"ts", "x", "3"},
        {"quit", "abc", "2"}, {"quit", "1", "1"}, {"h_w", "0", "13550"},   {"h_w", "-5", "-5"},
        {"h_h", "0", "9210"}, {"s_size", "1", "1"}, {"s_kai", "2", "2"},   {"s_pao", "", "2"},
    };
    for (const Case &c : cases) {
        TempHome home;
        home.write("config.ini", QString("[main]\r\nuser=keep\r\nVer=1.0\r\n[S_q]\r\n%1=%2\r\n")
                                     .arg(c.key, c.stored).toUtf8());
        StartUp();
        EXPECT_EQ(value(home, "S_q", c.key), c.expected) << c.key << "=" << c.stored;
    }
}

TEST(StartUp, UserAndVersionRules)
{
    for (const char *user : {"0", ""}) {
        TempHome home;
        home.write("config.ini", QString("[main]\r\nuser=%1\r\nVer=2.0\r\n").arg(user).toUtf8());
        StartUp();
        EXPECT_FALSE(value(home, "main", "user").isEmpty());
        EXPECT_NE(value(home, "main", "user"), "0");
        EXPECT_EQ(value(home, "main", "Ver"), "1.0"); // left by an updater: back to this client's
    }
    TempHome home;
    home.write("config.ini", "[main]\r\nuser=AB-CD\r\nVer=1.0\r\n");
    StartUp();
    EXPECT_EQ(value(home, "main", "user"), "AB-CD");
}

TEST(StartUp, ExistingListPagesAreNotRebuiltMissingOnesAre)
{
    TempHome home;
    StartUp();
    home.write("app/date_n.dat", "%u8D2A|1|1|1\r\n");
    home.write("app/n.htm", "old page");
    QFile::remove(home.file("app/date_c.dat"));
    home.write("app/c.htm", "old favourites");
    QFile::remove(home.file("app/d.htm"));
    StartUp();
    EXPECT_EQ(home.read("app/n.htm"), "old page");
    EXPECT_EQ(home.read("app/date_c.dat"), "\r\n"); // recreated as one empty line
    EXPECT_EQ(home.read("app/c.htm"), "old favourites");
    EXPECT_TRUE(home.read("app/d.htm").contains("<ul>"));
}

TEST(StartUp, AppFolderThatCannotBeCreatedSkipsItsStepsQuietly)
{
    TempHome home;
    home.write("app", "a file where the folder should be");
    StartUp();
    EXPECT_EQ(value(home, "S_q", "ts"), "3");
    EXPECT_EQ(home.read("app"), "a file where the folder should be");
}

TEST(StartUp, RemovesOnlyThePartFilesOfRunsThatAreGone)
{
    TempHome home;
    StartUp();
    const QStringList abandoned{".config.ini.1x9a.part", "app/.date_n.dat.k3.part", "app/.n.htm.0.part",
                                "flash/.12.swf.1z141z3.part"};
    const QStringList others{"x.part", ".x.part", "app/.n.htm.ABC.part", "app/.n.htm.12345678.part",
                             "app/n.htm.1x.part", "app/.n.htm.1x.part.bak", "profile/.a.b.1x.part", "flash/12.swf"};
    for (const QString &name : abandoned + others)
        home.write(name, "bytes");
    QDir().mkpath(home.file("app/.dir.1x.part")); // a folder named like one is not ours
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("kept");
    QFile(target).open(QIODevice::WriteOnly);
    QFile::link(target, home.file("app/.link.1x.part")); // nor is a link

    // A running client's part file: its writer holds it.
    PartFile live(home.file("app/date_c.dat"));
    ASSERT_TRUE(live.open());

    StartUp();
    for (const QString &name : abandoned)
        EXPECT_FALSE(home.exists(name)) << name.toStdString();
    for (const QString &name : others)
        EXPECT_TRUE(home.exists(name)) << name.toStdString();
    EXPECT_TRUE(QFileInfo(home.file("app/.dir.1x.part")).isDir());
    EXPECT_TRUE(QFileInfo(home.file("app/.link.1x.part")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(target));
    ASSERT_EQ(QDir(home.file("app")).entryList({".date_c.dat.*.part"}, QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(live.write("new", 3) && live.commit());
    EXPECT_EQ(home.read("app/date_c.dat"), "new");
}

TEST(StartUp, AFlashFileInsteadOfAFolderIsLeftAlone)
{
    TempHome home;
    home.write("flash", "a file where the folder should be");
    StartUp();
    EXPECT_EQ(home.read("flash"), "a file where the folder should be");
    EXPECT_EQ(home.read("app/date_d.dat"), "\r\n");
}
