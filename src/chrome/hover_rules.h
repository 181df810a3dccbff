#pragma once

#include "chrome/face_table.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Hover on a tab leaves it alone while its content pane zz(t) shows, so the current tab keeps
// its selected face; the catalogue tab also while the portal error panel is up. The online
// music tab npc(3) has no such test and always takes its hover and rest faces.
bool hoverRepaintsTab(int npcIndex, const std::array<bool, 5> &paneVisible, bool portalError);

// The tip bubble P1 shows under minimise, maximise/restore, close, pin and menu only.
bool showsTipBubble(SkinButtonId id);

// Where bo_tip sits inside P1.
constexpr QPoint kTipLabelPos{2, 2};

// P1 for a button at `button` (in P1's parent) and a tip label of `label`: 2 pixels right
// of the button's left, 3 below its bottom, 5 pixels larger than the label.
QRect tipBubbleRect(const QRect &button, QSize label);
