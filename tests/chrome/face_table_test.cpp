#include "chrome/face_table.h"
#include "chrome/hover_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SkinButtonId npc(int i) { return {SkinButtonId::Npc, i}; }
SkinButtonId tool(int i) { return {SkinButtonId::Tool, i}; }
// A toggling button with its toggle off (running, sound on, not topmost, info pane hidden) or on.
ButtonFaceState toggled(bool on) { return {false, on}; }

std::vector<std::pair<SkinButtonId, ButtonFaceState>> everyButtonInEveryState()
{
    std::vector<std::pair<SkinButtonId, ButtonFaceState>> all;
    for (int i = 0; i <= 9; ++i)
        for (bool maximised : {false, true})
            for (bool on : {false, true})
                all.push_back({npc(i), {maximised, on}});
    for (int i = 0; i <= 8; ++i)
        for (bool on : {false, true})
            all.push_back({tool(i), toggled(on)});
    return all;
}

} // namespace

TEST(FaceTable, EveryFaceIsACellOfTheButtonsSizeInsideItsStrip)
{
    for (const auto &[id, state] : everyButtonInEveryState()) {
        for (const auto &face : {restFace(id, state), hoverFace(id, state)}) {
            ASSERT_TRUE(face) << id.objectName().toStdString();
            EXPECT_EQ(face->cell.size(), skinButtonSize(id)) << id.objectName().toStdString();
            EXPECT_TRUE(QRect(QPoint(), skinStripSize(face->strip)).contains(face->cell))
                << id.objectName().toStdString() << " strip " << face->strip;
        }
        EXPECT_FALSE(restFace(id, state) == hoverFace(id, state)) << id.objectName().toStdString();
    }
}

TEST(FaceTable, TitleButtonsFollowWindowStateAndPinState)
{
    EXPECT_EQ(*restFace(npc(0), {}), (Face{1, QRect(45, 0, 24, 19)}));
    EXPECT_EQ(*hoverFace(npc(0), {}), (Face{2, QRect(45, 0, 24, 19)}));
    EXPECT_EQ(*restFace(npc(1), {false, {}}), (Face{1, QRect(69, 0, 24, 19)}));
    EXPECT_EQ(*hoverFace(npc(1), {false, {}}), (Face{2, QRect(69, 0, 24, 19)}));
    EXPECT_EQ(*restFace(npc(1), {true, {}}), (Face{4, QRect(0, 0, 24, 19)}));
    EXPECT_EQ(*hoverFace(npc(1), {true, {}}), (Face{4, QRect(24, 0, 24, 19)}));
    EXPECT_EQ(*restFace(npc(2), {}), (Face{1, QRect(93, 0, 33, 19)}));
    EXPECT_EQ(*restFace(npc(5), {}), (Face{1, QRect(21, 0, 24, 19)}));
    EXPECT_EQ(*hoverFace(npc(5), {}), (Face{2, QRect(21, 0, 24, 19)}));

    EXPECT_EQ(*restFace(npc(4), toggled(false)), (Face{5, QRect(0, 0, 21, 19)}));
    EXPECT_EQ(*hoverFace(npc(4), toggled(false)), (Face{5, QRect(21, 0, 21, 19)}));
    EXPECT_EQ(*restFace(npc(4), toggled(true)), (Face{5, QRect(42, 0, 21, 19)}));
    EXPECT_EQ(*hoverFace(npc(4), toggled(true)), (Face{5, QRect(63, 0, 21, 19)}));
}

TEST(FaceTable, TabsRestSelectedAndHoverCellsByTabNumber)
{
    const int order[] = {6, 7, 8, 9, 3};
    for (int t = 0; t < 5; ++t) {
        const SkinButtonId tab = npc(order[t]);
        EXPECT_TRUE(tab.isTab());
        EXPECT_EQ(*restFace(tab, {}), (Face{6, QRect(65 * t, 0, 65, 57)}));
        EXPECT_EQ(*selectedTabFace(tab), (Face{7, QRect(65 * t, 0, 65, 57)}));
        EXPECT_EQ(*hoverFace(tab, {}), (Face{8, QRect(65 * t, 0, 65, 57)}));
    }
    EXPECT_FALSE(selectedTabFace(npc(2)));
    EXPECT_FALSE(selectedTabFace(tool(1)));
}

TEST(FaceTable, ToolsFollowTheirToggles)
{
    EXPECT_EQ(*restFace(tool(0), toggled(false)), (Face{11, QRect(0, 0, 45, 25)}));
    EXPECT_EQ(*hoverFace(tool(0), toggled(false)), (Face{11, QRect(45, 0, 45, 25)}));
    EXPECT_EQ(*restFace(tool(0), toggled(true)), (Face{11, QRect(90, 0, 45, 25)}));
    EXPECT_EQ(*hoverFace(tool(0), toggled(true)), (Face{11, QRect(135, 0, 45, 25)}));
    EXPECT_EQ(*restFace(tool(2), toggled(false)), (Face{11, QRect(0, 25, 45, 25)}));
    EXPECT_EQ(*hoverFace(tool(2), toggled(false)), (Face{11, QRect(45, 25, 45, 25)}));
    EXPECT_EQ(*restFace(tool(2), toggled(true)), (Face{11, QRect(90, 25, 45, 25)}));
    EXPECT_EQ(*hoverFace(tool(2), toggled(true)), (Face{11, QRect(135, 25, 45, 25)}));
    EXPECT_EQ(*restFace(tool(7), toggled(true)), (Face{12, QRect(0, 0, 26, 26)}));
    EXPECT_EQ(*hoverFace(tool(7), toggled(true)), (Face{12, QRect(26, 0, 26, 26)}));
    EXPECT_EQ(*restFace(tool(7), toggled(false)), (Face{12, QRect(0, 26, 26, 26)}));
    EXPECT_EQ(*hoverFace(tool(7), toggled(false)), (Face{12, QRect(26, 26, 26, 26)}));
    EXPECT_EQ(*restFace(tool(8), {}), (Face{3, QRect(0, 0, 55, 20)}));
    EXPECT_EQ(*hoverFace(tool(8), {}), (Face{3, QRect(55, 0, 55, 20)}));

    const int plain[] = {1, 3, 4, 5, 6};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(*restFace(tool(plain[column]), {}), (Face{9, QRect(45 * column, 0, 45, 25)}));
        EXPECT_EQ(*hoverFace(tool(plain[column]), {}), (Face{10, QRect(45 * column, 0, 45, 25)}));
    }
}

TEST(FaceTable, UnknownButtonsHaveNoFace)
{
    EXPECT_FALSE(restFace(npc(10), {}));
    EXPECT_FALSE(hoverFace(tool(9), {}));
    EXPECT_FALSE(restFace(tool(-1), {}));
    EXPECT_TRUE(skinButtonSize(npc(10)).isEmpty());
}

TEST(FaceTable, ResourceIdsAndNames)
{
    EXPECT_EQ(skinResourceId(0, 0), 101);
    EXPECT_EQ(skinResourceId(0, 12), 113);
    EXPECT_EQ(skinResourceId(1, 0), 201);
    EXPECT_EQ(npc(3).objectName(), "npc_3");
    EXPECT_EQ(tool(7).objectName(), "c_z_7");
    EXPECT_EQ(skinStripSize(0), QSize(100, 133));
    EXPECT_EQ(skinStripSize(11), QSize(180, 50));
    EXPECT_TRUE(skinStripSize(13).isEmpty());
}

TEST(HoverRules, CurrentTabKeepsItsFaceButMusicTabAlwaysChanges)
{
    const std::array<bool, 5> gameViewShowing{false, true, false, false, false};
    EXPECT_FALSE(hoverRepaintsTab(7, gameViewShowing, false));
    EXPECT_TRUE(hoverRepaintsTab(6, gameViewShowing, false));
    EXPECT_FALSE(hoverRepaintsTab(6, gameViewShowing, true)); // portal error panel up
    EXPECT_TRUE(hoverRepaintsTab(8, gameViewShowing, false));

    const std::array<bool, 5> musicShowing{false, false, false, false, true};
    EXPECT_TRUE(hoverRepaintsTab(3, musicShowing, false));
    const std::array<bool, 5> webGamesShowing{false, false, false, true, false};
    EXPECT_FALSE(hoverRepaintsTab(9, webGamesShowing, false));
}

TEST(HoverRules, TipBubbleOnlyUnderWindowCommands)
{
    for (int i : {0, 1, 2, 4, 5})
        EXPECT_TRUE(showsTipBubble(npc(i))) << i;
    for (int i : {3, 6, 7, 8, 9})
        EXPECT_FALSE(showsTipBubble(npc(i))) << i;
    EXPECT_FALSE(showsTipBubble(tool(0)));
}
