// The tray icon's record and the click decisions, without a display.
#include "shell/tray_record.h"

#include <gtest/gtest.h>

TEST(TrayRecord, InstallCarriesTipAndFlagsButNoBalloonYet)
{
    const TrayIconRecord record = trayRecordForInstall("Tamsa游戏盒");
    EXPECT_EQ(record.iconId, 0);
    EXPECT_EQ(record.flags, 23);
    EXPECT_EQ(record.tip, "Tamsa游戏盒");
    EXPECT_TRUE(record.balloonText.isEmpty());
    EXPECT_TRUE(record.balloonTitle.isEmpty());
    EXPECT_EQ(record.balloonIconFlags, 0);
}

TEST(TrayRecord, BalloonFillsTextTitleInformationIconAndTip)
{
    TrayIconRecord record = trayRecordForInstall("Tamsa游戏盒");
    trayRecordBalloon(record, "已添加到收藏!%u6D4B", "新标题");
    EXPECT_EQ(record.balloonText, "已添加到收藏!%u6D4B");
    EXPECT_EQ(record.balloonTitle, "Tamsa游戏盒提示:");
    EXPECT_EQ(record.balloonIconFlags, 1);
    EXPECT_EQ(record.tip, "新标题");
    EXPECT_EQ(record.flags, 23);

    // The next balloon replaces the text; nothing of the longer one is left behind.
    trayRecordBalloon(record, "短", "新标题");
    EXPECT_EQ(record.balloonText, "短");
}

TEST(TrayRecord, TextsAreCutAtTheirFieldWidths)
{
    TrayIconRecord record;
    const QString path = "截图完成。路径:" + QString(400, QChar('x')) + ".bmp";
    trayRecordBalloon(record, path, QString(200, QChar(u'盒')));
    EXPECT_EQ(record.balloonText, path.left(256));
    EXPECT_EQ(record.tip, QString(128, QChar(u'盒')));

    const QString exact(256, QChar('a'));
    trayRecordBalloon(record, exact, "t");
    EXPECT_EQ(record.balloonText, exact);
}

TEST(TrayRecord, CutCountsCharactersAndNeverSplitsAPair)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xAE"); // one character, two UTF-16 units
    QString text;
    for (int i = 0; i < 300; ++i)
        text += emoji;
    const QString cut = cutToWidth(text, 256);
    EXPECT_EQ(cut.size(), 512);
    EXPECT_EQ(cut, text.left(512));

    const QString mixed = QString(255, QChar('a')) + emoji + "b";
    EXPECT_EQ(cutToWidth(mixed, 256), QString(255, QChar('a')) + emoji);
    EXPECT_EQ(cutToWidth("abc", 256), "abc");
    EXPECT_EQ(cutToWidth("", 256), "");
}

TEST(TrayClickDecision, LeftClickRestoresHidesOrShows)
{
    // Minimised wins over visibility: the click only restores.
    EXPECT_EQ(trayClickAction(TrayClick::Left, {true, true}), TrayAction::RestoreFromMinimised);
    EXPECT_EQ(trayClickAction(TrayClick::Left, {true, false}), TrayAction::RestoreFromMinimised);
    EXPECT_EQ(trayClickAction(TrayClick::Left, {false, true}), TrayAction::HideWindow);
    EXPECT_EQ(trayClickAction(TrayClick::Left, {false, false}), TrayAction::ShowWindow);
}

TEST(TrayClickDecision, RightClickPopsUpTheMenuWhateverTheWindowDoes)
{
    for (bool minimised : {false, true}) {
        for (bool visible : {false, true})
            EXPECT_EQ(trayClickAction(TrayClick::Right, {minimised, visible}), TrayAction::PopUpMenu);
    }
    EXPECT_EQ(trayClickAction(TrayClick::Other, {false, true}), TrayAction::None);
    EXPECT_EQ(trayClickAction(TrayClick::Other, {true, false}), TrayAction::None);
}
