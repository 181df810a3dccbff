// What the settings page reads from config.ini and what Apply writes, without the dialog.
#include "dialogs/settings_dialog_choices.h"

#include "temp_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

class SettingsChoicesTest : public ::testing::Test {
protected:
    TempHome home;
    const QString entry = home.file("autostart/Tamsa游戏盒.desktop");
    SettingsChoices choices{home.file("config.ini"), "/opt/tamsa/play", home.file("autostart")};
};

TEST_F(SettingsChoicesTest, BoxesAreCheckedUnlessTheirKeyIsTheNumberOne)
{
    const std::pair<const char *, SettingsChecks> cases[] = { // s_size, s_kai, s_pao, quit
        {"[main]\r\nName=x\r\n", {true, true, true, true}},
        {"[S_q]\r\ns_size=1\r\ns_kai=2\r\ns_pao=2\r\nquit=2\r\n", {false, true, true, true}},
        {"[S_q]\r\nquit= 01 \r\ns_pao=x\r\nS_KAI=1\r\ns_size=\r\n", {true, false, true, false}},
    };
    for (const auto &[config, checked] : cases) {
        home.write("config.ini", config);
        EXPECT_EQ(choices.load(), checked) << config;
    }
}

TEST_F(SettingsChoicesTest, ApplyWritesTheKeysInOrderAndTheEntryEveryTime)
{
    home.write("config.ini", "[main]\r\nName=x\r\n");
    choices.apply({true, true, false, false});
    EXPECT_EQ(home.read("config.ini"), "[main]\r\nName=x\r\n[S_q]\r\ns_size=2\r\ns_kai=2\r\ns_pao=1\r\nquit=1\r\n");
    QFile::remove(entry);
    choices.apply({true, true, false, false});
    EXPECT_TRUE(QFileInfo(entry).isFile()) << "an unchanged box still writes the entry";
    choices.apply({false, false, true, true});
    EXPECT_EQ(home.read("config.ini"), "[main]\r\nName=x\r\n[S_q]\r\ns_size=1\r\ns_kai=1\r\ns_pao=2\r\nquit=2\r\n");
    EXPECT_FALSE(QFileInfo::exists(entry));
}

TEST_F(SettingsChoicesTest, FailedWritesDoNotStopTheOthers)
{
    // Root may write anywhere; a folder where config.ini should be stops anyone.
    ASSERT_TRUE(QDir().mkpath(home.file("config.ini")));
    EXPECT_EQ(choices.load(), (SettingsChecks{true, true, true, true}));
    choices.apply({true, true, true, true});
    EXPECT_TRUE(QFileInfo(entry).isFile());

    ASSERT_TRUE(QDir(home.file("config.ini")).removeRecursively());
    home.write("blocker", "");
    SettingsChoices(home.file("config.ini"), "/opt/play", home.file("blocker/autostart")).apply({false, true, false, true});
    EXPECT_EQ(home.read("config.ini"), "[S_q]\r\ns_size=1\r\ns_kai=2\r\ns_pao=1\r\nquit=2\r\n");
}
