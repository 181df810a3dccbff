// What the title bar's buttons do, the close question, and entering and leaving full screen.
#include "mainwindow/ba1.h"

#include "base/ini_file.h"
#include "dialogs/message_box.h"
#include "mainwindow/game_view.h"
#include "mainwindow/title_bar.h"
#include "shell/tray_icon.h"

namespace {

// Closing hides the window to the tray; where there is no notification area to bring it back
// from, it is minimised instead.
void hideToTray(QWidget *window)
{
    if (tray_in_notification_area())
        window->hide();
    else
        window->showMinimized();
}

// What config.ini says the close button does: ask first (S_q/ts 3, asked once), then quit
// (S_q/quit 1) or hide to the tray (anything else).
enum class CloseAction { Quit, HideToTray };
struct CloseSettings {
    bool askFirst = false;
    CloseAction action = CloseAction::HideToTray;
};

CloseSettings readCloseSettings(const IniFile &ini)
{
    CloseSettings settings;
    settings.askFirst = parseInt32(ini.read("S_q", "ts", "0")) == 3;
    if (parseInt32(ini.read("S_q", "quit", "0")) == 1)
        settings.action = CloseAction::Quit;
    return settings;
}

} // namespace

void BA1::npc_Click(int index)
{
    if (index < 0 || index >= kTitleSlotCount)
        return;
    gameView_->finishOpening();
    titleBar_->hideTip();
    const auto slot = TitleSlot(index);
    switch (slot) {
    case TitleSlot::Minimise:
        titleBar_->showRestFace(slot);
        showMinimized();
        break;
    case TitleSlot::Maximise:
        if (gameView_->isFullScreen()) {
            quit_quan_Click();
            return;
        }
        if (isMaximized()) {
            restoreNormal();
            titleBar_->setRestoreOffered(false);
        } else {
            maximiseToWorkArea();
            titleBar_->setRestoreOffered(true);
        }
        titleBar_->showRestFace(slot);
        break;
    case TitleSlot::Close:
        titleBar_->showRestFace(slot);
        closeButton();
        break;
    case TitleSlot::MusicTab:
    case TitleSlot::PortalTab:
    case TitleSlot::GameTab:
    case TitleSlot::ListTab:
    case TitleSlot::WebGamesTab:
        ShowTab(index);
        break;
    case TitleSlot::Topmost:
        titleBar_->setPinned(!titleBar_->isPinned());
        zhi_d(titleBar_->isPinned() ? 1 : 0);
        titleBar_->showRestFace(slot);
        break;
    case TitleSlot::Menu:
        titleBar_->showRestFace(slot);
        emit mainMenuRequested(titleBar_->menuPosition());
        break;
    }
}

void BA1::closeButton()
{
    const IniFile ini(ConfigPath_);
    const CloseSettings settings = readCloseSettings(ini);
    if (settings.askFirst) {
        ini.write("S_q", "ts", "1");
        const auto answer = MessageBox::ask(this, "提示：", "关闭 Tamsa游戏盒 最小化到托盘吗？",
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Question);
        if (answer == QMessageBox::Yes) {
            ini.write("S_q", "quit", "2");
            hideToTray(this);
        } else {
            ini.write("S_q", "quit", "1");
            ttt_v();
        }
        return;
    }
    if (settings.action == CloseAction::Quit)
        ttt_v();
    else
        hideToTray(this);
}

void BA1::enterFullScreen()
{
    gameView_->enterFullScreen();
    ad_pic->hide();
    titleBar_->setRestoreOffered(true);
    layout_full_screen();
}

void BA1::quit_quan_Click()
{
    gameView_->leaveFullScreen();
    if (AdFailed_ != 1)
        ad_pic->show();
    restoreNormal();
    titleBar_->setRestoreOffered(false);
    titleBar_->showRestFace(TitleSlot::Maximise);
}
