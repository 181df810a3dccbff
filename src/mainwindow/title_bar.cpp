// The title bar: minimise, maximise or restore, close, topmost, menu, the five tabs and labels.
#include "mainwindow/title_bar.h"

#include "chrome/button_faces.h"
#include "chrome/click_label.h"
#include "chrome/hover_rules.h"
#include "chrome/skin_button.h"
#include "chrome/tip_bubble.h"
#include "chrome/window_layout.h"
#include "mainwindow/window_parts.h"
#include "shell/boss_key.h"

TitleBar::TitleBar(const Skin &skin, QWidget *window) : QObject(window)
{
    title_name = makeLabel(window, "title_name", "Tamsa游戏盒");
    title_name->setStyleSheet("color: white");
    renj = makeLabel(window, "renj", "老板键 Ctrl+S");

    const char *const npcTips[kTitleSlotCount] = {"最小化", "最大化", "关闭", "换肤", "置顶", "菜单", "", "", "", ""};
    P1 = new TipBubble(window);
    for (int i = 0; i < kTitleSlotCount; ++i) {
        npc[i] = new SkinButton(skin, SkinButtonId{SkinButtonId::Npc, i}, window);
        npc[i]->setToolTip(npcTips[i]);
        connect(npc[i], &SkinButton::clicked, this, [this, i] { emit clicked(TitleSlot(i)); });
        if (showsTipBubble(npc[i]->id()))
            P1->follow(npc[i]);
    }
    button(TitleSlot::PortalTab)->setEnabled(false); // the catalogue tab is the active one at start
}

void TitleBar::setPinned(bool pinned)
{
    pinned_ = pinned;
    button(TitleSlot::Topmost)->setToggled(pinned);
    button(TitleSlot::Topmost)->setToolTip(pinned ? "取消置顶" : "置顶");
}

void TitleBar::setRestoreOffered(bool offered) { button(TitleSlot::Maximise)->setToolTip(offered ? "还原" : "最大化"); }

void TitleBar::showRestFace(TitleSlot slot) { button(slot)->showRestFace(); }

void TitleBar::selectTab(TitleSlot from, TitleSlot to)
{
    if (from != to && button(from)->id().isTab()) {
        button(from)->showRestFace();
        button(from)->setEnabled(true);
    }
    button(to)->setEnabled(false);
    button(to)->showFace(*selectedTabFace(button(to)->id()));
}

void TitleBar::setTabHoverRule(std::function<bool(TitleSlot tab)> repaintAllowed)
{
    for (int i = 0; i < kTitleSlotCount; ++i) {
        if (npc[i]->id().isTab())
            npc[i]->setHoverRepaintAllowed([repaintAllowed, i] { return repaintAllowed(TitleSlot(i)); });
    }
}

void TitleBar::hideTip() { P1->hide(); }

void TitleBar::showBossKeyConflict() { renj->setText(kBossKeyConflictText); }

QPoint TitleBar::menuPosition() const
{
    const SkinButton *menu = button(TitleSlot::Menu);
    return menu->parentWidget()->mapToGlobal(menu->pos() + QPoint(-17, 23));
}

void TitleBar::keepSizes(KeptSizes &sizes) const
{
    sizes.title_name = title_name->size();
    sizes.renj = renj->size();
}

void TitleBar::paintFaces() { paint_button_faces({npc, {}}); }
