// Hover with the real pointer: the X server sees the pointer warped over and off the buttons
// and sends the enter, motion and leave events a player's mouse would.
#include "chrome/hover_rules.h"
#include "chrome/skin.h"
#include "chrome/skin_button.h"
#include "chrome/tip_bubble.h"
#include "chrome/window_layout.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>


namespace {

class SkinButtonHover : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(skin.load(0), kSkinStripCount);
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(60, 60, 800, 600);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        pointTo(QPoint(400, 500));
    }

    SkinButton *button(SkinButtonId id, const QRect &at)
    {
        auto *b = new SkinButton(skin, id, &window);
        b->move(at.topLeft());
        b->show();
        return b;
    }

    void pointTo(QPoint inWindow)
    {
        QCursor::setPos(window.mapToGlobal(inWindow));
        QTest::qWait(20);
    }

    // Moves over the button and waits until it has seen the pointer arrive (or leave).
    void hover(SkinButton *b, QPoint inButton, bool over)
    {
        QSignalSpy spy(b, &SkinButton::hovered);
        pointTo(over ? b->geometry().topLeft() + inButton : QPoint(400, 500));
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return !spy.isEmpty() && spy.last().at(0).toBool() == over;
        })) << b->objectName().toStdString();
    }

    QImage face(const std::optional<Face> &f) const { return skin.cut(*f); }

    Skin skin;
    QWidget window;
};

} // namespace

TEST_F(SkinButtonHover, ToolShowsHoverCellThenRestCellAfterLeaving)
{
    SkinButton *replay = button({SkinButtonId::Tool, 1}, QRect(100, 100, 45, 25));
    replay->showRestFace();
    EXPECT_EQ(replay->faceImage(), face(restFace(replay->id(), {})));

    hover(replay, {20, 12}, true);
    EXPECT_EQ(replay->faceImage(), face(hoverFace(replay->id(), {})));
    hover(replay, {}, false);
    EXPECT_EQ(replay->faceImage(), face(restFace(replay->id(), {})));
}

TEST_F(SkinButtonHover, FaceFollowsTheToggleAtTheMomentOfTheMove)
{
    SkinButton *pause = button({SkinButtonId::Tool, 0}, QRect(100, 100, 45, 25));
    pause->setToggled(false); // running
    hover(pause, {10, 10}, true);
    EXPECT_EQ(pause->faceImage(), skin.cut({11, QRect(45, 0, 45, 25)}));

    pause->setToggled(true); // paused
    hover(pause, {12, 11}, true);
    EXPECT_EQ(pause->faceImage(), skin.cut({11, QRect(135, 0, 45, 25)}));
    hover(pause, {}, false);
    EXPECT_EQ(pause->faceImage(), skin.cut({11, QRect(90, 0, 45, 25)}));
}

TEST_F(SkinButtonHover, SelectedTabKeepsItsFaceWhileItsPaneShows)
{
    const std::array<bool, 5> gameViewShowing{false, true, false, false, false};
    SkinButton *current = button({SkinButtonId::Npc, 7}, QRect(87, 27, 65, 57));
    current->setHoverRepaintAllowed([&] { return hoverRepaintsTab(7, gameViewShowing, false); });
    current->showFace(*selectedTabFace(current->id()));
    const QImage selected = current->faceImage();

    hover(current, {30, 30}, true);
    EXPECT_EQ(current->faceImage(), selected);
    hover(current, {}, false);
    EXPECT_EQ(current->faceImage(), selected);

    // Another tab beside it lights up as usual.
    SkinButton *lists = button({SkinButtonId::Npc, 8}, QRect(164, 27, 65, 57));
    lists->setHoverRepaintAllowed([&] { return hoverRepaintsTab(8, gameViewShowing, false); });
    lists->showRestFace();
    hover(lists, {30, 30}, true);
    EXPECT_EQ(lists->faceImage(), face(hoverFace(lists->id(), {})));
}

TEST_F(SkinButtonHover, MusicTabAlwaysChangesEvenWhileItsPaneShows)
{
    const std::array<bool, 5> musicShowing{false, false, false, false, true};
    SkinButton *music = button({SkinButtonId::Npc, 3}, QRect(318, 27, 65, 57));
    music->setHoverRepaintAllowed([&] { return hoverRepaintsTab(3, musicShowing, false); });
    music->showFace(*selectedTabFace(music->id()));

    hover(music, {30, 30}, true);
    EXPECT_EQ(music->faceImage(), face(hoverFace(music->id(), {})));
    hover(music, {}, false);
    EXPECT_EQ(music->faceImage(), face(restFace(music->id(), {})));
}

TEST_F(SkinButtonHover, RestoreFaceWhileTheWindowIsMaximised)
{
    SkinButton *maximise = button({SkinButtonId::Npc, 1}, QRect(200, 200, 24, 19));
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    maximise->move(200, 200);
    hover(maximise, {5, 5}, true);
    EXPECT_EQ(maximise->faceImage(), skin.cut({4, QRect(24, 0, 24, 19)}));
    hover(maximise, {}, false);
    EXPECT_EQ(maximise->faceImage(), skin.cut({4, QRect(0, 0, 24, 19)}));
}

TEST_F(SkinButtonHover, TipBubbleUnderTheCloseButton)
{
    const QRect closeAt = layout_main(window.size(), {})["npc_2"];
    SkinButton *close = button({SkinButtonId::Npc, 2}, closeAt);
    close->setToolTip(QString::fromUtf8("关闭"));
    TipBubble bubble(&window);
    bubble.follow(close);

    hover(close, {10, 8}, true);
    EXPECT_TRUE(bubble.isVisible());
    EXPECT_EQ(bubble.objectName(), "P1");
    EXPECT_EQ(bubble.pos(), QPoint(764, 24));
    EXPECT_EQ(bubble.label()->objectName(), "bo_tip");
    EXPECT_EQ(bubble.label()->text(), QString::fromUtf8("关闭"));
    EXPECT_EQ(bubble.label()->pos(), QPoint(2, 2));
    EXPECT_EQ(bubble.size(), bubble.label()->size() + QSize(5, 5));

    hover(close, {}, false);
    EXPECT_FALSE(bubble.isVisible());
}
