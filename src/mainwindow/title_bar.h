#pragma once

#include "chrome/face_table.h"

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>

class ClickLabel;
class Skin;
class SkinButton;
class TipBubble;
class QWidget;
struct KeptSizes;

// The title bar of the main window: its buttons and tabs npc(0..9) with the tip bubble P1, the
// title title_name and the boss key label renj. The controls are the window's children, laid
// out with it; this part owns them and the pin and restore states they show.
class TitleBar : public QObject {
    Q_OBJECT
public:
    TitleBar(const Skin &skin, QWidget *window);

    // The pin button's state: the player asked for the window to stay on top.
    bool isPinned() const { return pinned_; }
    void setPinned(bool pinned);
    // npc(1) offers to restore (maximised or full screen) or to maximise.
    void setRestoreOffered(bool offered);
    void showRestFace(TitleSlot slot);
    // The tab buttons' faces and enabled state as the tab page `to` replaces `from`.
    void selectTab(TitleSlot from, TitleSlot to);
    // While this answers false for a tab, hovering it keeps its face.
    void setTabHoverRule(std::function<bool(TitleSlot tab)> repaintAllowed);
    void hideTip();
    void showBossKeyConflict();
    // Where the main menu opens, under the menu button.
    QPoint menuPosition() const;

    void keepSizes(KeptSizes &sizes) const;
    void paintFaces();

signals:
    void clicked(TitleSlot slot);

private:
    SkinButton *button(TitleSlot slot) const { return npc[int(slot)]; }

    bool pinned_ = false;
    std::array<SkinButton *, kTitleSlotCount> npc{};
    TipBubble *P1 = nullptr;
    ClickLabel *title_name = nullptr, *renj = nullptr;
};
