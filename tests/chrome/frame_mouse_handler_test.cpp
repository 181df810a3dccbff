// The window's own mouse handling, driven through the window system's event path. There is
// no window manager under Xvfb, so the interactive move and resize are stood in for by the
// seam: the stand-in records the request and, like a window manager, resizes the window.
#include "chrome/frame_mouse_handler.h"

#include "temp_home.h"

#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWidget>

#include <optional>

namespace {

class FrameMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(50, 50, 800, 600);
        title = new QLabel("Tamsa游戏盒", &window);
        title->setGeometry(26, 7, 100, 14);
        handler = new FrameMouseHandler(&window);
        handler->setSaveDelay(50);
        handler->setSystemMoveResize(
            [this] {
                ++moves;
                return true;
            },
            [this](Qt::Edges edges) {
                resizeEdges = edges;
                if (resizeTo)
                    QTimer::singleShot(0, &window, [this] { window.resize(*resizeTo); });
                return true;
            });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void press(Qt::MouseButton button, QPoint at) { QTest::mousePress(window.windowHandle(), button, {}, at); }
    void release(Qt::MouseButton button, QPoint at) { QTest::mouseRelease(window.windowHandle(), button, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(window.windowHandle(), at); }

    QString saved(const char *key) const { return IniFile(home.file("config.ini")).read("S_q", key, "none"); }

    TempHome home;
    QWidget window;
    QLabel *title = nullptr;
    FrameMouseHandler *handler = nullptr;
    int moves = 0;
    std::optional<Qt::Edges> resizeEdges;
    std::optional<QSize> resizeTo;
};

} // namespace

TEST_F(FrameMouse, ResizeFromTheRightEdgeSavesTheNewSizeInTwips)
{
    resizeTo = QSize(900, 650);
    press(Qt::LeftButton, {799, 300});
    EXPECT_EQ(resizeEdges, Qt::RightEdge);
    EXPECT_EQ(window.cursor().shape(), Qt::SizeHorCursor);
    // Written at the press, before the window manager has resized anything.
    EXPECT_EQ(saved("h_w"), "12000");
    EXPECT_EQ(saved("h_h"), "9000");

    ASSERT_TRUE(QTest::qWaitFor([&] { return saved("h_w") == "13500"; }));
    EXPECT_EQ(saved("h_h"), "9750");
    EXPECT_EQ(window.size(), QSize(900, 650));
}

TEST_F(FrameMouse, ReleaseEndsTheResizeAndLaterSizeChangesAreNotSaved)
{
    resizeTo = QSize(900, 650);
    handler->setSaveDelay(60000);
    press(Qt::LeftButton, {798, 598});
    EXPECT_EQ(resizeEdges, Qt::BottomEdge | Qt::RightEdge);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(900, 650); }));
    EXPECT_TRUE(handler->resizeStarted());
    release(Qt::LeftButton, {898, 648});
    EXPECT_FALSE(handler->resizeStarted());
    EXPECT_EQ(saved("h_w"), "13500");
    EXPECT_EQ(saved("h_h"), "9750");

    window.resize(1000, 700);
    QTest::qWait(100);
    EXPECT_EQ(saved("h_w"), "13500");
}

TEST_F(FrameMouse, PressInsideWritesNothingAndStartsNothing)
{
    press(Qt::LeftButton, {3, 3});
    release(Qt::LeftButton, {3, 3});
    press(Qt::LeftButton, {400, 50});
    release(Qt::LeftButton, {400, 50});
    EXPECT_FALSE(resizeEdges);
    EXPECT_EQ(moves, 0);
    EXPECT_FALSE(home.exists("config.ini"));
}

TEST_F(FrameMouse, RightButtonPressOnTheBandIsHandledLikeALeftOne)
{
    press(Qt::RightButton, {1, 1});
    EXPECT_EQ(resizeEdges, Qt::TopEdge | Qt::LeftEdge);
    EXPECT_EQ(window.cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(saved("h_w"), "12000");
    EXPECT_EQ(saved("h_h"), "9000");
    release(Qt::RightButton, {1, 1});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameMouse, MaximisedWindowShowsTheSizingPointerButIgnoresPresses)
{
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    const QPoint right(window.width() - 1, 300);
    moveTo(right);
    EXPECT_EQ(window.cursor().shape(), Qt::SizeHorCursor);
    press(Qt::LeftButton, right);
    release(Qt::LeftButton, right);
    EXPECT_FALSE(resizeEdges);
    EXPECT_FALSE(home.exists("config.ini"));
}

TEST_F(FrameMouse, PointerShapeFollowsTheBandAndResetsInside)
{
    moveTo({400, 599});
    EXPECT_EQ(window.cursor().shape(), Qt::SizeVerCursor);
    moveTo({798, 1});
    EXPECT_EQ(window.cursor().shape(), Qt::SizeBDiagCursor);
    moveTo({400, 300});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameMouse, LeftDragOnTheTitleAreaMovesTheWindow)
{
    press(Qt::LeftButton, {400, 50});
    moveTo({410, 60});
    EXPECT_GE(moves, 1);
    release(Qt::LeftButton, {410, 60});
    EXPECT_FALSE(resizeEdges);
    EXPECT_FALSE(home.exists("config.ini"));
}

TEST_F(FrameMouse, EventsAChildControlIgnoredDoNotCount)
{
    // The title label ignores the mouse, so Qt hands its events on to the window.
    press(Qt::LeftButton, {30, 10});
    moveTo({60, 12});
    release(Qt::LeftButton, {60, 12});
    EXPECT_EQ(moves, 0);
}
