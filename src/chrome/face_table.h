#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The skin: thirteen strips ppt(0..12) holding the window background and every face of every
// skinned button, and the table saying which cell of which strip shows a button in a state.

constexpr int kSkinStripCount = 13;

// Size of strip ppt(strip); an empty size for an index outside 0..12.
QSize skinStripSize(int strip);

// Resource identifier of strip i of skin number k: k × 100 + 101 + i (skin 0: 101..113).
int skinResourceId(int skinNumber, int strip);

// A skinned button of the main window: npc(0..9) (title bar buttons and tabs) or c_z(0..8)
// (game tools).
struct SkinButtonId {
    enum Group { Npc, Tool };
    Group group;
    int index;

    bool isValid() const;
    bool isTab() const; // npc(6), npc(7), npc(8), npc(9), npc(3)
    QString objectName() const; // "npc_3", "c_z_7"
    bool operator==(const SkinButtonId &other) const
    {
        return group == other.group && index == other.index;
    }
};

// Tab number t (0..4, left to right) of a tab button, or -1 for any other npc index.
int tabNumber(int npcIndex);

// One face: the cell of strip ppt(strip) that is copied into the button at (0, 0).
struct Face {
    int strip;
    QRect cell;
    bool operator==(const Face &other) const { return strip == other.strip && cell == other.cell; }
};

// The title bar's buttons npc(0..9) and the game view's tools c_z(0..8), by what each does;
// the numbers are the controls' indexes.
enum class TitleSlot { Minimise, Maximise, Close, MusicTab, Topmost, Menu, PortalTab, GameTab, ListTab, WebGamesTab };
enum class ToolSlot { Pause, Reload, Mute, Favourite, Screenshot, Download, FullScreen, InfoPane, LeaveFullScreen };
constexpr int kTitleSlotCount = 10;
constexpr int kToolSlotCount = 9;

// What decides a face besides the pointer, read at the moment of painting. `toggled` is the
// toggling buttons' own state: topmost on (npc(4)), game paused (c_z(0)), sound muted (c_z(2)),
// info pane shown (c_z(7)).
struct ButtonFaceState {
    bool windowMaximised = false;
    bool toggled = false;
};

QSize skinButtonSize(SkinButtonId id);

// The face with the pointer away, and with the pointer over the button. A tab's rest face
// is its unselected face. Nothing for an invalid id.
std::optional<Face> restFace(SkinButtonId id, const ButtonFaceState &state);
std::optional<Face> hoverFace(SkinButtonId id, const ButtonFaceState &state);

// The selected face of a tab (strip ppt(7)); nothing for a button that is not a tab.
std::optional<Face> selectedTabFace(SkinButtonId id);
