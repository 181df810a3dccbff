#include "chrome/hover_rules.h"
#include "chrome/window_layout.h"

#include <gtest/gtest.h>

namespace {

KeptSizes sizes(int lblCountWidth = 0)
{
    KeptSizes s;
    s.webe = {150, 14};
    s.lblCount = {lblCountWidth, 12};
    s.tingzhi = {80, 14};
    s.title_name = {90, 14};
    s.renj = {80, 12};
    s.lcname = {170, 14};
    s.shan_name = {100, 14};
    return s;
}

} // namespace

TEST(FormResize, NormalWindowBelowTheMinimumIsEnlargedAndLaidOutAtTheNewSize)
{
    EXPECT_EQ(minimumWindowSize(), QSize(737, 521));
    // 736 pixels are 11040 twips, under 11050; 737 are 11055.
    const FormResizePlan small = planFormResize(WindowMode::Normal, false, {500, 400});
    EXPECT_EQ(small.kind, FormResizePlan::Normal);
    EXPECT_EQ(small.enlargeTo, QSize(737, 521));
    EXPECT_EQ(small.layoutSize, QSize(737, 521));

    const FormResizePlan narrow = planFormResize(WindowMode::Normal, false, {736, 900});
    EXPECT_EQ(narrow.enlargeTo, QSize(737, 900));

    const FormResizePlan big = planFormResize(WindowMode::Normal, false, {737, 521});
    EXPECT_FALSE(big.enlargeTo);
    EXPECT_EQ(big.layoutSize, QSize(737, 521));
}

TEST(FormResize, MaximisedMinimisedAndFullScreen)
{
    const FormResizePlan maximised = planFormResize(WindowMode::Maximised, false, {640, 480});
    EXPECT_EQ(maximised.kind, FormResizePlan::Normal);
    EXPECT_FALSE(maximised.enlargeTo);
    EXPECT_EQ(maximised.layoutSize, QSize(640, 480));

    EXPECT_EQ(planFormResize(WindowMode::Minimised, false, {0, 0}).kind, FormResizePlan::Nothing);
    EXPECT_EQ(planFormResize(WindowMode::Minimised, true, {0, 0}).kind, FormResizePlan::Nothing);

    // Restored from outside while in full-screen mode: back to the full-screen layout, no minimum.
    const FormResizePlan full = planFormResize(WindowMode::Normal, true, {500, 400});
    EXPECT_EQ(full.kind, FormResizePlan::FullScreen);
    EXPECT_FALSE(full.enlargeTo);
}

TEST(LayoutMain, TitleButtonsHangFromTheRightEdge)
{
    const ControlRects r = layout_main({798, 522}, sizes());
    EXPECT_EQ(r["npc_2"], QRect(QPoint(760, 2), QPoint(792, 20)));
    EXPECT_EQ(r["npc_1"], QRect(QPoint(736, 2), QPoint(759, 20)));
    EXPECT_EQ(r["npc_0"], QRect(QPoint(712, 2), QPoint(735, 20)));
    EXPECT_EQ(r["npc_5"], QRect(QPoint(688, 2), QPoint(711, 20)));
    EXPECT_EQ(r["npc_4"], QRect(QPoint(666, 2), QPoint(686, 20)));
}

TEST(LayoutMain, TabsPanesAndTools)
{
    const ControlRects r = layout_main({798, 522}, sizes(60));
    EXPECT_EQ(r["npc_6"], QRect(10, 27, 65, 57));
    EXPECT_EQ(r["npc_7"], QRect(87, 27, 65, 57));
    EXPECT_EQ(r["npc_8"], QRect(164, 27, 65, 57));
    EXPECT_EQ(r["npc_9"], QRect(241, 27, 65, 57));
    EXPECT_EQ(r["npc_3"], QRect(318, 27, 65, 57));

    for (const char *pane : {"zzer", "zz_0", "zz_2", "zz_3", "zz_4"})
        EXPECT_EQ(r[pane], QRect(4, 88, 790, 407)) << pane;
    EXPECT_EQ(r["zz_1"], QRect(4, 88, 790, 430));
    for (const char *web : {"Web1", "Web4", "Web5"})
        EXPECT_EQ(r[web], QRect(-2, -2, 794, 411)) << web;

    EXPECT_EQ(r["P2"], QRect(293, 27, 204, 153));
    EXPECT_EQ(r["webe"], QRect(343, 210, 150, 14));

    const int lefts[] = {30, 85, 140, 195, 250, 305, 360};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(r[QString("c_z_%1").arg(i)], QRect(lefts[i], 7, 45, 25)) << i;
    EXPECT_EQ(r["lblCount"], QRect(420, 15, 60, 12));
    EXPECT_EQ(r["dl"], QRect(490, 14, 100, 10));
}

TEST(LayoutMain, DownloadStripFollowsTheProgressText)
{
    EXPECT_EQ(layout_main({798, 522}, sizes(0))["dl"], QRect(430, 14, 100, 10));
    EXPECT_EQ(layout_main({798, 522}, sizes(180))["dl"], QRect(610, 14, 100, 10));
}

TEST(LayoutMain, PanesStayPositiveAtTheMinimumSize)
{
    const ControlRects r = layout_main(minimumWindowSize(), sizes());
    EXPECT_EQ(r["zz_0"].height(), 406);
    EXPECT_GT(r["P2"].top(), 0);
}

TEST(LayoutGameView, InfoPaneShownTakes172PixelsAtTheRight)
{
    const GameViewLayout shown = layout_game_view({790, 430}, true, {80, 14});
    EXPECT_TRUE(shown.pic2Visible);
    const ControlRects &r = shown.rects;
    EXPECT_EQ(r["picg"], QRect(0, 0, 790, 25));
    EXPECT_EQ(r["pic2"], QRect(622, 25, 168, 405));
    EXPECT_EQ(r["picf"], QRect(0, 25, 618, 405));
    EXPECT_EQ(r["pic1"], QRect(0, 0, 618, 370));
    EXPECT_EQ(r["Picd"], QRect(0, 370, 618, 35));
    EXPECT_EQ(r["tingzhi"], QRect(269, 178, 80, 14));
    EXPECT_EQ(r["Web2"], QRect(-4, -4, 624, 376));
    EXPECT_EQ(r["Webr"], QRect(-1, -2, 171, 408));
    EXPECT_EQ(r["c_z_7"], QRect(583, 7, 26, 26));
}

TEST(LayoutGameView, InfoPaneHiddenGivesTheGameTheFullWidth)
{
    const GameViewLayout hidden = layout_game_view({790, 430}, false, {80, 14});
    EXPECT_FALSE(hidden.pic2Visible);
    const ControlRects &r = hidden.rects;
    EXPECT_EQ(r["picf"], QRect(0, 25, 790, 405));
    EXPECT_EQ(r["Picd"], QRect(0, 370, 790, 35));
    EXPECT_EQ(r["c_z_7"], QRect(755, 7, 26, 26));
    // The hidden pane and its page keep their last rectangles.
    EXPECT_FALSE(r.contains("pic2"));
    EXPECT_FALSE(r.contains("Webr"));
}

TEST(LayoutFullScreen, GameViewCoversTabsAndAdBelowTheTitleButtons)
{
    const ControlRects r = layout_full_screen({1024, 738}, sizes());
    EXPECT_EQ(r["zz_1"], QRect(4, 28, 1016, 706));
    EXPECT_EQ(r["picg"], QRect(0, 0, 1016, 25));
    EXPECT_EQ(r["c_z_8"], QRect(936, 3, 55, 20));
    EXPECT_EQ(r["picf"], QRect(0, 25, 1016, 681));
    EXPECT_EQ(r["pic1"], QRect(0, 0, 1016, 681));
    EXPECT_EQ(r["Web2"], QRect(-4, -4, 1022, 687));
    // layout_main ran first; the game view's inner tool bar and info pane are left alone.
    EXPECT_EQ(r["npc_2"], QRect(986, 2, 33, 19));
    EXPECT_EQ(r["zz_0"], QRect(4, 88, 1016, 623));
    for (const char *kept : {"pic2", "Picd", "tingzhi", "c_z_7", "Webr"})
        EXPECT_FALSE(r.contains(kept)) << kept;
}

TEST(LayoutNormal, TitleAreaAdFrameAndStatusLabel)
{
    const WindowLayout layout = layoutNormal({798, 522}, false, sizes());
    const ControlRects &r = layout.rects;
    EXPECT_EQ(r["title_name"], QRect(26, 7, 90, 14));
    EXPECT_EQ(r["ad_pic"], QRect(508, 26, 250, 60));
    EXPECT_EQ(r["adweb"], QRect(-2, -2, 254, 64));
    EXPECT_EQ(r["renj"], QRect(20, 502, 80, 12));
    // The game view's inside and the list panel are part of the same pass.
    EXPECT_EQ(r["picf"], QRect(0, 25, 790, 405));
    EXPECT_EQ(r["Web3"], QRect(-4, -4, 639, 387));
    EXPECT_FALSE(layout.pic2Visible);
}

TEST(ListPanelLayout, LabelsFrameAndListPane)
{
    const ControlRects r = layoutListPanel({790, 407}, 798, sizes());
    EXPECT_EQ(r["pic4"], QRect(0, 0, 790, 25));
    EXPECT_EQ(r["lcname"], QRect(168, 7, 170, 14));
    EXPECT_EQ(r["shan_name"], QRect(658, 7, 100, 14));
    EXPECT_EQ(r["Im2"], QRect(158, 9, 6, 6));
    EXPECT_EQ(r["Pic6"], QRect(0, 25, 150, 382));
    EXPECT_EQ(r["Pic3"], QRect(1, 1, 148, 381));
    EXPECT_EQ(r["lc_0"], QRect(0, 0, 148, 32));
    EXPECT_EQ(r["lc_1"], QRect(0, 33, 148, 32));
    EXPECT_EQ(r["lc_2"], QRect(0, 66, 148, 32));
    EXPECT_EQ(r["Pic7"], QRect(156, 25, 634, 382));
    EXPECT_EQ(r["Pic5"], QRect(1, 1, 633, 381));
    EXPECT_EQ(r["Web3"], QRect(-4, -4, 639, 387));
}

TEST(TipBubble, UnderTheCloseButtonOfAn800PixelWindow)
{
    const QRect close = layout_main({800, 600}, sizes())["npc_2"];
    const QRect bubble = tipBubbleRect(close, {24, 12});
    EXPECT_EQ(bubble.topLeft(), QPoint(764, 24));
    EXPECT_EQ(bubble.size(), QSize(29, 17));
}
