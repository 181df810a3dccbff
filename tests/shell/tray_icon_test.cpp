// The tray icon docked in a real notification area and clicked with real input.
#include "desktop.h"
#include "shell/tray_icon.h"
#include "temp_home.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The balloon Qt draws itself on an XEmbed tray: its labels hold the title and the message.
QStringList balloonTexts()
{
    QStringList texts;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && QByteArray(widget->metaObject()->className()) == "QBalloonTip") {
            for (QLabel *label : widget->findChildren<QLabel *>())
                texts << label->text();
        }
    }
    return texts;
}

class TrayIconTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        installTray();
    }

    bool clickIcon(int button) { return clickAt(tray_icon()->geometry(), button); }

    TempHome home_;
};

TEST_F(TrayIconTest, InstalledIconShowsThePictureAndTheCaptionAsTip)
{
    EXPECT_EQ(tray_icon()->toolTip(), "Tamsa游戏盒");
    EXPECT_FALSE(tray_icon()->icon().isNull());
}

TEST_F(TrayIconTest, LeftClickHidesAVisibleWindowAndShowsItAgain)
{
    ASSERT_TRUE(clickIcon(1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
    ASSERT_TRUE(clickIcon(1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return window_->isVisible(); }, 3000));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

TEST_F(TrayIconTest, LeftClickRestoresAMinimisedWindowAndLeavesItShown)
{
    window_->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !exposed(); }, 3000));
    ASSERT_TRUE(clickIcon(1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return exposed(); }, 3000));
    // Restoring is all the click does: the window is not hidden on top of it.
    QTest::qWait(300);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(window_->isMinimized());
}

TEST_F(TrayIconTest, RightClickPopsUpTheMenuAtTheCursor)
{
    QSignalSpy shown(menu_, &QMenu::aboutToShow);
    ASSERT_TRUE(clickIcon(3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() == 1; }, 3000));
    EXPECT_TRUE(menu_->isVisible());
    // Popped up where the click was, not somewhere the window chose.
    const QPoint centre = tray_icon()->geometry().center();
    EXPECT_LT((menu_->geometry().topLeft() - centre).manhattanLength(), 150)
        << menu_->geometry().x() << "," << menu_->geometry().y();
    EXPECT_TRUE(window_->isVisible());
    menu_->close();
}

TEST_F(TrayIconTest, BalloonShowsTheNoticeTitleAndCutsLongTexts)
{
    const QString longText = QString(300, QChar(u'游'));
    tray_balloon(longText);
    ASSERT_TRUE(QTest::qWaitFor([] { return !balloonTexts().isEmpty(); }, 3000));
    EXPECT_TRUE(balloonTexts().contains("Tamsa游戏盒提示:")) << balloonTexts().join('|').toStdString();
    EXPECT_TRUE(balloonTexts().contains(longText.left(256)));
}

TEST_F(TrayIconTest, MarkupInABalloonIsShownAsItIs)
{
    // Qt draws the balloon of an XEmbed tray itself, as plain text: nothing to escape.
    const QString text = "已添加到收藏!<b>粗</b> & <img src=\"x\">";
    tray_balloon(text);
    ASSERT_TRUE(QTest::qWaitFor([] { return !balloonTexts().isEmpty(); }, 3000));
    EXPECT_TRUE(balloonTexts().contains(text)) << balloonTexts().join('|').toStdString();
}

TEST_F(TrayIconTest, BalloonTipsSwitchedOffShowNothing)
{
    home_.write("config.ini", "[S_q]\r\ns_pao=1\r\n");
    tray_balloon("已添加到收藏!game");
    QTest::qWait(300);
    EXPECT_TRUE(balloonTexts().isEmpty());
    EXPECT_TRUE(tray_record().balloonText.isEmpty());

    home_.write("config.ini", "[S_q]\r\ns_pao=2\r\n");
    tray_balloon("已添加到收藏!game");
    EXPECT_EQ(tray_record().balloonText, "已添加到收藏!game");
}

TEST_F(TrayIconTest, IconAddedAgainKeepsTheLastBalloon)
{
    tray_balloon("截图完成。路径:/tmp/a.bmp");
    const TrayIconRecord before = tray_record();
    tray_hide_icon();
    EXPECT_TRUE(QTest::qWaitFor([] { return !tray_icon()->isVisible(); }, 3000));
    tray_show_icon();
    ASSERT_TRUE(QTest::qWaitFor([] { return iconDocked(); }, 5000));
    EXPECT_EQ(tray_record().balloonText, before.balloonText);
    EXPECT_EQ(tray_record().balloonTitle, before.balloonTitle);
    EXPECT_EQ(tray_record().balloonIconFlags, 1);
    EXPECT_EQ(tray_icon()->toolTip(), "Tamsa游戏盒");
    // The re-added icon still answers clicks.
    ASSERT_TRUE(clickIcon(1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
}

TEST_F(TrayIconTest, RemovedIconIsGoneAndLaterCallsDoNothing)
{
    tray_remove();
    EXPECT_EQ(tray_icon(), nullptr);
    EXPECT_EQ(tray_record().flags, 0);
    tray_balloon("下载任务还未完成，请稍后操作..game");
    tray_show_icon();
    EXPECT_EQ(tray_icon(), nullptr);
    EXPECT_TRUE(tray_record().balloonText.isEmpty());
}

} // namespace
