#include "chrome/face_table.h"

#include <array>

namespace {

constexpr std::array<QSize, kSkinStripCount> kStripSizes{{
    {100, 133}, // 0 window background template
    {126, 19},  // 1 title buttons at rest
    {126, 19},  // 2 title buttons, hover
    {110, 20},  // 3 leave full screen
    {48, 19},   // 4 restore
    {84, 19},   // 5 pin
    {325, 57},  // 6 tabs at rest
    {325, 57},  // 7 tabs selected
    {325, 57},  // 8 tabs hover
    {225, 25},  // 9 tools at rest
    {225, 25},  // 10 tools hover
    {180, 50},  // 11 two-state tools
    {52, 52},   // 12 info pane toggle
}};

constexpr int kTabWidth = 65;
constexpr int kTabHeight = 57;
constexpr int kToolWidth = 45;
constexpr int kToolHeight = 25;

// x of each title button's cell in ppt(1)/ppt(2).
constexpr int kMenuX = 21;
constexpr int kMinimiseX = 45;
constexpr int kMaximiseX = 69;
constexpr int kCloseX = 93;

// A face pair: the same cell in a rest strip and a hover strip, or two cells of one strip.
struct FacePair {
    Face rest;
    Face hover;
};

FacePair sameCell(int restStrip, int hoverStrip, QRect cell) { return {{restStrip, cell}, {hoverStrip, cell}}; }

FacePair sideBySide(int strip, QPoint restAt, QSize size)
{
    return {{strip, QRect(restAt, size)}, {strip, QRect(restAt + QPoint(size.width(), 0), size)}};
}

std::optional<FacePair> titleButtonFaces(int index, const ButtonFaceState &state)
{
    const QSize size = skinButtonSize({SkinButtonId::Npc, index});
    switch (index) {
    case 0:
        return sameCell(1, 2, QRect(QPoint(kMinimiseX, 0), size));
    case 1:
        if (state.windowMaximised)
            return sideBySide(4, {0, 0}, size);
        return sameCell(1, 2, QRect(QPoint(kMaximiseX, 0), size));
    case 2:
        return sameCell(1, 2, QRect(QPoint(kCloseX, 0), size));
    case 4:
        return sideBySide(5, {state.toggled ? 42 : 0, 0}, size);
    case 5:
        return sameCell(1, 2, QRect(QPoint(kMenuX, 0), size));
    default:
        return sameCell(6, 8, QRect(kTabWidth * tabNumber(index), 0, kTabWidth, kTabHeight));
    }
}

std::optional<FacePair> toolFaces(int index, const ButtonFaceState &state)
{
    const QSize size = skinButtonSize({SkinButtonId::Tool, index});
    switch (index) {
    case 0:
        return sideBySide(11, {state.toggled ? 90 : 0, 0}, size);
    case 2:
        return sideBySide(11, {state.toggled ? 90 : 0, kToolHeight}, size);
    case 7:
        return sideBySide(12, {0, state.toggled ? 0 : 26}, size);
    case 8:
        return sideBySide(3, {0, 0}, size);
    default: {
        // Replay, favourite, screenshot, download, full screen: one column each in ppt(9)/ppt(10).
        static constexpr std::array<int, 7> kColumn{-1, 0, -1, 1, 2, 3, 4};
        return sameCell(9, 10, QRect(QPoint(kToolWidth * kColumn[index], 0), size));
    }
    }
}

std::optional<FacePair> facesOf(SkinButtonId id, const ButtonFaceState &state)
{
    if (!id.isValid())
        return std::nullopt;
    return id.group == SkinButtonId::Npc ? titleButtonFaces(id.index, state) : toolFaces(id.index, state);
}

} // namespace

QSize skinStripSize(int strip)
{
    return strip >= 0 && strip < kSkinStripCount ? kStripSizes[strip] : QSize();
}

int skinResourceId(int skinNumber, int strip) { return skinNumber * 100 + 101 + strip; }

bool SkinButtonId::isValid() const
{
    return index >= 0 && index <= (group == Npc ? 9 : 8);
}

bool SkinButtonId::isTab() const { return group == Npc && tabNumber(index) >= 0; }

QString SkinButtonId::objectName() const
{
    return (group == Npc ? QStringLiteral("npc_") : QStringLiteral("c_z_")) + QString::number(index);
}

int tabNumber(int npcIndex)
{
    switch (npcIndex) {
    case 6: return 0;
    case 7: return 1;
    case 8: return 2;
    case 9: return 3;
    case 3: return 4;
    default: return -1;
    }
}

QSize skinButtonSize(SkinButtonId id)
{
    if (!id.isValid())
        return {};
    if (id.group == SkinButtonId::Npc) {
        if (id.isTab())
            return {kTabWidth, kTabHeight};
        if (id.index == 2)
            return {33, 19};
        return {id.index == 4 ? 21 : 24, 19};
    }
    if (id.index == 7)
        return {26, 26};
    if (id.index == 8)
        return {55, 20};
    return {kToolWidth, kToolHeight};
}

std::optional<Face> restFace(SkinButtonId id, const ButtonFaceState &state)
{
    const auto faces = facesOf(id, state);
    return faces ? std::optional<Face>(faces->rest) : std::nullopt;
}

std::optional<Face> hoverFace(SkinButtonId id, const ButtonFaceState &state)
{
    const auto faces = facesOf(id, state);
    return faces ? std::optional<Face>(faces->hover) : std::nullopt;
}

std::optional<Face> selectedTabFace(SkinButtonId id)
{
    if (!id.isValid() || !id.isTab())
        return std::nullopt;
    return Face{7, QRect(kTabWidth * tabNumber(id.index), 0, kTabWidth, kTabHeight)};
}
