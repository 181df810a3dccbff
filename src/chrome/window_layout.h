#pragma once

#include <QMap>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Where every control of the main window goes. Rectangles are (left, top, width, height) in
// the client area of the control's parent, keyed by object name (control arrays as
// "<name>_<index>": "npc_2", "c_z_7", "zz_1", "lc_0"). Containers have no border, so a
// container's inner size is its size. Halves round down.
using ControlRects = QMap<QString, QRect>;

enum class WindowMode { Normal, Minimised, Maximised };

// The smallest normal window: 11050 × 7815 twips, 737 × 521 pixels.
QSize minimumWindowSize();

// The resize event's decision. Minimised: nothing runs. Full screen: only the full-screen
// layout. Normal state below the minimum: the window is enlarged first and laid out at the
// enlarged size. Maximised: laid out as it is, the minimum does not apply.
struct FormResizePlan {
    enum Kind { Nothing, FullScreen, Normal } kind = Nothing;
    std::optional<QSize> enlargeTo;
    QSize layoutSize; // W × H for painting and layout
};
FormResizePlan planFormResize(WindowMode mode, bool fullScreen, QSize outer);

// Controls the layout moves but does not size: their current sizes.
struct KeptSizes {
    QSize P2{204, 153};
    QSize webe;
    QSize lblCount; // sized to its text, so dl follows the text's width
    QSize tingzhi;
    QSize title_name;
    QSize renj;
    QSize lcname;
    QSize shan_name;
    QSize Im2{6, 6};
};

// Title buttons, tabs, content panes and their browser panes, the portal error panel with
// P2 and webe, the tools c_z(0..6), lblCount and dl.
ControlRects layout_main(QSize client, const KeptSizes &sizes);

// The inside of the game view zz(1) outside full-screen mode. While the info pane is hidden
// pic2 and Webr are left out: they keep their last rectangles.
struct GameViewLayout {
    ControlRects rects;
    bool pic2Visible = false;
};
GameViewLayout layout_game_view(QSize gameView, bool infoPaneShown, QSize tingzhi);

// The list panel inside zz(2): title strip, list labels lc(0..2), the frame around Web3.
// shan_name is right-aligned against the main window's width.
ControlRects layoutListPanel(QSize listTab, int windowWidth, const KeptSizes &sizes);

// The normal layout of a resize: layout_main, layout_game_view, the list panel, then
// title_name, ad_pic with adweb, and renj.
struct WindowLayout {
    ControlRects rects;
    bool pic2Visible = false;
};
WindowLayout layoutNormal(QSize client, bool infoPaneShown, const KeptSizes &sizes);

// layout_main, then the game view over the whole window below the title buttons: zz(1),
// picg, c_z(8), picf, pic1 and Web2. The window is maximised first and npc(1) shows the
// restore face; pic2, Picd, tingzhi, c_z(7) and Webr keep their last rectangles.
ControlRects layout_full_screen(QSize client, const KeptSizes &sizes);
