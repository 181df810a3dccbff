// A later start of the program wakes the running one: its window comes to the front restored.
#include "desktop.h"
#include "shell/single_instance.h"
#include "shell/window_front.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LinkExecuteTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        ASSERT_TRUE(instance_.claim(""));
        QObject::connect(&instance_, &SingleInstance::executeRequested, window_.get(),
                         [this] { bringToFront(window_.get()); });
    }

    // Starts the program a second time; true when it ended at once with status 0.
    bool startAgain(const QString &commandText)
    {
        QProcess second;
        second.start(GAMEBOX_INSTANCE_PROBE, {dir_.path(), commandText, "0", "0"});
        return second.waitForFinished(5000) && second.exitCode() == 0
            && second.readAllStandardOutput().trimmed() == "second";
    }

    QTemporaryDir dir_;
    SingleInstance instance_{dir_.path()};
};

TEST_F(LinkExecuteTest, MinimisedWindowIsRestored)
{
    window_->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !exposed(); }, 3000));
    QSignalSpy requests(&instance_, &SingleInstance::executeRequested);
    ASSERT_TRUE(startAgain("--again"));
    ASSERT_TRUE(requests.wait(3000));
    EXPECT_EQ(requests.at(0).at(0).toString(), "--again");
    EXPECT_TRUE(QTest::qWaitFor([this] { return exposed(); }, 3000));
    EXPECT_FALSE(window_->isMinimized());
}

TEST_F(LinkExecuteTest, WindowHiddenToTheTrayShowsAgain)
{
    window_->hide();
    ASSERT_TRUE(startAgain(""));
    EXPECT_TRUE(QTest::qWaitFor([this] { return window_->isVisible() && exposed(); }, 3000));
}

TEST_F(LinkExecuteTest, WindowCoveredByAnotherComesToTheFront)
{
    QWidget cover;
    cover.setGeometry(window_->geometry());
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cover));
    ASSERT_TRUE(startAgain(""));
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window_.get(); }, 3000));
}

} // namespace
