#include "base/ini_file.h"

#include "temp_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(IniFile, ReadFollowsProfileRules)
{
    TempHome home;
    home.write("config.ini", "; comment=1\r\n[Main]\r\nUSER = abc \r\nuser=second\r\n[S_q]\r\nts=3\r\n"
                             "[main]\r\nVer=9\r\n");
    const IniFile ini(home.file("config.ini"));
    EXPECT_EQ(ini.read("main", "user", "0"), "abc");  // names ignore case, value trimmed, first wins
    EXPECT_EQ(ini.read("main", "Ver", "0"), "0");     // only the first [main] section counts
    EXPECT_EQ(ini.read("s_q", "TS", "0"), "3");
    EXPECT_EQ(ini.read("S_q", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.read("nosection", "ts", ""), "");
    EXPECT_EQ(IniFile(home.file("absent.ini")).read("main", "user", "0"), "0");
}

TEST(IniFile, LongValuesAreCutLikeAProfileBuffer)
{
    TempHome home;
    const QString ascii(300, 'x');
    home.write("config.ini", ("[a]\r\nk=" + ascii + "\r\n").toUtf8());
    EXPECT_EQ(IniFile(home.file("config.ini")).read("a", "k", "").size(), 254);

    // Three-byte characters: 84 of them fit in 254 bytes; a character is never split.
    home.write("config.ini", ("[a]\r\nk=" + QString(100, QChar(0x6D4B)) + "\r\n").toUtf8());
    EXPECT_EQ(IniFile(home.file("config.ini")).read("a", "k", ""), QString(84, QChar(0x6D4B)));
}

TEST(IniFile, NumbersAreDecimal32BitOrZero)
{
    TempHome home;
    home.write("config.ini", "[S_q]\r\na=-5\r\nb=abc\r\nc=\r\nd= 12 \r\ne=99999999999\r\nf=12x\r\n");
    const IniFile ini(home.file("config.ini"));
    EXPECT_EQ(ini.readInt("S_q", "a"), -5);
    EXPECT_EQ(ini.readInt("S_q", "b"), 0);
    EXPECT_EQ(ini.readInt("S_q", "c"), 0);
    EXPECT_EQ(ini.readInt("S_q", "d"), 12);
    EXPECT_EQ(ini.readInt("S_q", "e"), 0);
    EXPECT_EQ(ini.readInt("S_q", "f"), 0);
    EXPECT_EQ(ini.readInt("S_q", "missing"), 0);
}

TEST(IniFile, WritesEditInPlaceAndAppendToTheirSection)
{
    TempHome home;
    const IniFile ini(home.file("config.ini"));
    ASSERT_TRUE(ini.write("main", "Name", "Tamsa游戏盒"));
    ASSERT_TRUE(ini.write("S_q", "ts", "3"));
    ASSERT_TRUE(ini.write("main", "user", "u1"));
    ASSERT_TRUE(ini.write("S_Q", "TS", "1"));
    EXPECT_EQ(home.read("config.ini"),
              QString("[main]\r\nName=Tamsa游戏盒\r\nuser=u1\r\n[S_q]\r\nTS=1\r\n").toUtf8());
}

TEST(IniFile, NewKeyGoesAfterTheLastKeyNotAfterBlankLines)
{
    TempHome home;
    home.write("config.ini", "[main]\r\nName=x\r\n\r\n; note\r\n[S_q]\r\nts=3\r\n");
    ASSERT_TRUE(IniFile(home.file("config.ini")).write("main", "Portal", "http://h/"));
    EXPECT_EQ(home.read("config.ini"),
              QByteArray("[main]\r\nName=x\r\nPortal=http://h/\r\n\r\n; note\r\n[S_q]\r\nts=3\r\n"));
}

TEST(IniFile, UnwritablePathReportsFailureAndKeepsNothingHalfWritten)
{
    TempHome home;
    EXPECT_FALSE(IniFile(home.file("no/such/dir/config.ini")).write("main", "a", "b"));
}

TEST(IniFile, BinaryFileReadsAsDefaults)
{
    TempHome home;
    home.write("config.ini", QByteArray("\x00\x01[main]\x00\r\nuser=\xff\xfe\r\n\x7f=1\r\n", 22));
    const IniFile ini(home.file("config.ini"));
    EXPECT_EQ(ini.read("main", "missing", "d"), "d");
    EXPECT_EQ(ini.readInt("main", "user"), 0);
}

TEST(IniFile, ASettingsPathThatIsNoFileFailsCleanly)
{
    // Root may write into read-only folders; a folder where the file should be stops anyone.
    TempHome home;
    QDir().mkpath(home.file("config.ini"));
    const IniFile ini(home.file("config.ini"));
    EXPECT_FALSE(ini.write("a", "k", "v"));
    EXPECT_EQ(ini.read("a", "k", "d"), "d");
    EXPECT_TRUE(QFileInfo(home.file("config.ini")).isDir());
}
