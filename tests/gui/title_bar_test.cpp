#include "main_window_fixture.h"

#include "chrome/skin_button.h"
#include "desktop.h"
#include "dialogs/message_box.h"
#include "dialogs/popup_menus.h"
#include "pane_driver.h"
#include "base/ini_file.h"
#include "temp_home.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class TitleBarTest : public MainWindowTest {
protected:
    QString setting(const char *key) const { return IniFile(home().file("config.ini")).read("S_q", key, "?"); }
};

TEST_F(TitleBarTest, FirstCloseAsksOnceYesHidesToTheTray)
{
    const TestDesktop desktop;
    ASSERT_TRUE(desktop.ready()) << "no notification area (trayer)";
    openWindow();
    MessageBox::queueAnswer(QMessageBox::Yes);
    QTest::mouseClick(titleButton(2), Qt::LeftButton);
    ASSERT_FALSE(MessageBox::shown().empty());
    const MessageBox::Shown &box = MessageBox::shown().back();
    EXPECT_EQ(box.title, "提示：");
    EXPECT_EQ(box.text, "关闭 Tamsa游戏盒 最小化到托盘吗？");
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(setting("ts"), "1");
    EXPECT_EQ(setting("quit"), "2");

    const size_t asked = MessageBox::shown().size();
    window->show();
    window->npc_Click(2);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(MessageBox::shown().size(), asked);
}

TEST_F(TitleBarTest, AnsweringNoQuitsAndTheNextStartDoesNotAsk)
{
    openWindow();
    MessageBox::queueAnswer(QMessageBox::No);
    window->npc_Click(2);
    EXPECT_EQ(setting("quit"), "1");
    EXPECT_FALSE(window->isVisible());

    window.reset();
    openWindow(false);
    const size_t asked = MessageBox::shown().size();
    window->npc_Click(2);
    EXPECT_EQ(MessageBox::shown().size(), asked);
    EXPECT_FALSE(window->isVisible());

    // The setting switched back to the tray, but this display has no notification area to
    // bring a hidden window back from: closing minimises instead.
    IniFile(home().file("config.ini")).write("S_q", "quit", "2");
    window->show();
    window->npc_Click(2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(TitleBarTest, MaximiseTopmostTabsAndMenu)
{
    openWindow();
    QTest::mouseClick(titleButton(1), Qt::LeftButton);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(titleButton(1)->toolTip(), "还原");
    EXPECT_TRUE(waitUntil([&] { return window->size() == window->WorkArea().size(); }, 5000));
    QTest::mouseClick(titleButton(1), Qt::LeftButton);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(titleButton(1)->toolTip(), "最大化");

    window->npc_Click(4);
    EXPECT_TRUE(window->Topmost());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(titleButton(4)->toolTip(), "取消置顶");
    window->npc_Click(4);
    EXPECT_FALSE(window->Topmost());
    EXPECT_EQ(titleButton(4)->toolTip(), "置顶");

    QTest::mouseClick(titleButton(8), Qt::LeftButton);
    EXPECT_TRUE(tabPage(2)->isVisible());
    for (int tab : {0, 1, 3, 4})
        EXPECT_FALSE(tabPage(tab)->isVisible()) << tab;
    EXPECT_FALSE(titleButton(8)->isEnabled());
    EXPECT_TRUE(titleButton(6)->isEnabled());
    QTest::mouseClick(titleButton(3), Qt::LeftButton);
    EXPECT_TRUE(tabPage(4)->isVisible());
    EXPECT_FALSE(tabPage(2)->isVisible());
    EXPECT_TRUE(titleButton(8)->isEnabled());

    QSignalSpy menu(window.get(), &BA1::mainMenuRequested);
    window->npc_Click(5);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.first().first().toPoint(), window->mapToGlobal(titleButton(5)->pos() + QPoint(-17, 23)));

    // The menus' owner goes with the window instead of outliving it.
    const QPointer<BA3> menus = window->findChild<BA3 *>();
    ASSERT_FALSE(menus.isNull());
    window.reset();
    EXPECT_TRUE(menus.isNull());
}

TEST_F(TitleBarTest, LayoutAtDesignWidthAndTheMinimumSize)
{
    openWindow();
    window->resize(798, 522);
    ASSERT_TRUE(waitUntil([&] { return window->width() == 798; }, 5000));
    EXPECT_EQ(titleButton(2)->geometry(), QRect(760, 2, 33, 19));
    EXPECT_EQ(titleButton(1)->geometry(), QRect(736, 2, 24, 19));
    EXPECT_EQ(titleButton(0)->geometry(), QRect(712, 2, 24, 19));
    EXPECT_EQ(titleButton(5)->geometry(), QRect(688, 2, 24, 19));
    EXPECT_EQ(titleButton(4)->geometry(), QRect(666, 2, 21, 19));
    EXPECT_EQ(tabPage(1)->geometry(), QRect(4, 88, 790, 430));
    EXPECT_EQ(tabPage(0)->geometry(), QRect(4, 88, 790, 407));

    window->resize(500, 400);
    EXPECT_TRUE(waitUntil([&] { return window->size() == QSize(737, 521); }, 5000)) << window->width() << "x"
                                                                                    << window->height();
}

// Each rectangle of the layouts goes to a control of that name: a name that no control has
// would leave some control where it was, silently.
TEST_F(TitleBarTest, EveryNameTheLayoutsPlaceIsAControlOfTheWindow)
{
    openWindow();
    const KeptSizes sizes;
    ControlRects placed = layoutNormal({798, 522}, true, sizes).rects;
    placed.insert(layout_full_screen({798, 522}, sizes));
    for (const QString &name : placed.keys())
        EXPECT_TRUE(name == window->objectName() || control(name)) << name.toStdString();
}

TEST_F(TitleBarTest, SavedSizeIsUsedOnlyWhenAsked)
{
    openWindow(false);
    EXPECT_EQ(window->size(), QSize(13550 / 15, 9210 / 15));
    window.reset();
    IniFile(home().file("config.ini")).write("S_q", "s_size", "1");
    openWindow(false);
    EXPECT_EQ(window->size(), QSize(798, 522));
}
