// The boss key pressed as a person would, through the X server (xdotool), with the tray icon
// docked in a real notification area.
#include "desktop.h"
#include "shell/boss_key.h"
#include "shell/tray_icon.h"
#include "temp_home.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Counts the presses of the S key that reach a widget.
class KeyCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_S)
            ++presses;
        return false;
    }
};

class BossKeyTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        edit_ = new QLineEdit(window_.get());
        edit_->installEventFilter(&keys_);
        edit_->show();
        installTray();

        settings_ = new QWidget;
        settings_->setAttribute(Qt::WA_DeleteOnClose);
        settings_->setWindowTitle("软件设置");
        settings_->setGeometry(600, 200, 200, 150);
        settings_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(settings_.data()));
    }

    void TearDown() override
    {
        DesktopTest::TearDown();
        delete settings_.data();
        if (holder_.state() != QProcess::NotRunning) {
            holder_.kill();
            holder_.waitForFinished(3000);
        }
    }

    bool registerKey()
    {
        return RegisterBossKey(window_.get(), [this] { return QList<QWidget *>{settings_.data()}; });
    }

    // Another program takes Control+S before this one.
    void holdControlSElsewhere()
    {
        holder_.start(GAMEBOX_GRAB_HELPER);
        ASSERT_TRUE(holder_.waitForReadyRead(5000));
        ASSERT_EQ(holder_.readLine().trimmed(), "grabbed");
    }

    static bool pressControlS() { return xdotool({"key", "ctrl+s"}); }

    static bool iconShown() { return tray_icon() && tray_icon()->isVisible(); }

    TempHome home_;
    QLineEdit *edit_ = nullptr;
    KeyCounter keys_;
    QPointer<QWidget> settings_;
    QProcess holder_;
};

TEST_F(BossKeyTest, HidesEverythingAndBringsWindowAndIconBack)
{
    ASSERT_TRUE(registerKey());
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
    EXPECT_FALSE(iconShown());
    EXPECT_TRUE(QTest::qWaitFor([this] { return settings_.isNull(); }, 3000))
        << "the settings dialog stayed open";

    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return window_->isVisible(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([] { return iconShown(); }, 3000));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

TEST_F(BossKeyTest, MinimisedWindowComesBackRestored)
{
    ASSERT_TRUE(registerKey());
    window_->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !exposed(); }, 3000));
    // A minimised window still counts as shown: the press hides everything.
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
    EXPECT_FALSE(iconShown());
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return exposed(); }, 3000));
    EXPECT_FALSE(window_->isMinimized());
    EXPECT_TRUE(iconShown());
}

TEST_F(BossKeyTest, WindowHiddenToTheTrayIsShownWithItsIcon)
{
    ASSERT_TRUE(registerKey());
    window_->hide(); // the close button's "hide to the tray"
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return window_->isVisible(); }, 3000));
    EXPECT_TRUE(iconShown());
}

TEST_F(BossKeyTest, WorksWithNumLockAndCapsLockOn)
{
    ASSERT_TRUE(registerKey());
    for (const char *lock : {"Num_Lock", "Caps_Lock"}) {
        SCOPED_TRACE(lock);
        ASSERT_TRUE(xdotool({"key", lock}));
        ASSERT_TRUE(pressControlS());
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
        ASSERT_TRUE(pressControlS());
        EXPECT_TRUE(QTest::qWaitFor([this] { return window_->isVisible(); }, 3000));
        ASSERT_TRUE(xdotool({"key", lock}));
    }
}

TEST_F(BossKeyTest, KeyIsTakenBeforeTheFocusedWidgetSeesIt)
{
    ASSERT_TRUE(registerKey());
    // Click into the field, as a person typing there would.
    ASSERT_TRUE(clickAt(QRect(edit_->mapToGlobal(QPoint(0, 0)), edit_->size()), 1));
    ASSERT_TRUE(QTest::qWaitFor([this] { return edit_->hasFocus(); }, 3000));
    ASSERT_TRUE(xdotool({"key", "s"}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return keys_.presses > 0; }, 3000))
        << "keys do not reach the focused widget at all; the test proves nothing";
    EXPECT_TRUE(window_->isVisible()) << "S without Control acted as the boss key";

    keys_.presses = 0;
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 3000));
    EXPECT_EQ(keys_.presses, 0);
}

TEST_F(BossKeyTest, KeyHeldByAnotherProgramFailsAndDoesNothing)
{
    holdControlSElsewhere();
    EXPECT_FALSE(registerKey());
    ASSERT_TRUE(pressControlS());
    ASSERT_TRUE(holder_.waitForReadyRead(3000));
    EXPECT_EQ(holder_.readLine().trimmed(), "pressed");
    QTest::qWait(300);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(iconShown());
    EXPECT_FALSE(settings_.isNull());
}

TEST_F(BossKeyTest, KeyGivenBackWithTheWindowCanBeClaimedByOthers)
{
    ASSERT_TRUE(registerKey());
    holder_.start(GAMEBOX_GRAB_HELPER);
    ASSERT_TRUE(holder_.waitForReadyRead(5000));
    EXPECT_EQ(holder_.readLine().trimmed(), "refused");
    holder_.waitForFinished(3000);

    window_.reset();
    holdControlSElsewhere();
}

} // namespace
