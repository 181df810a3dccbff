// The title bar: minimise, maximise or restore, close, topmost, menu and the five tabs.
#include "mainwindow/ba1.h"

#include "chrome/skin_button.h"
#include "chrome/tip_bubble.h"
#include "dialogs/message_box.h"
#include "shell/tray_icon.h"
#include "base/ini_file.h"

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

} // namespace

void BA1::npc_Click(int index)
{
    finishGameOpening();
    hideTip();
    switch (index) {
    case 0:
        npc[0]->showRestFace();
        showMinimized();
        break;
    case 1:
        if (FullScreen == 1) {
            FullScreen = 0;
            quit_quan_Click();
            return;
        }
        if (isMaximised()) {
            restoreNormal();
            npc[1]->setToolTip("最大化");
        } else {
            maximiseToWorkArea();
            npc[1]->setToolTip("还原");
        }
        npc[1]->showRestFace();
        break;
    case 2:
        closeButton();
        break;
    case 3:
    case 6:
    case 7:
    case 8:
    case 9:
        ShowTab(index);
        break;
    case 4:
        if (npc[4]->toolTip() == "置顶") {
            npc[4]->setToolTip("取消置顶");
            zhi_d(1);
        } else {
            npc[4]->setToolTip("置顶");
            zhi_d(0);
        }
        npc[4]->showRestFace();
        break;
    case 5:
        npc[5]->showRestFace();
        emit mainMenuRequested(mapToGlobal(npc[5]->pos() + QPoint(-17, 23)));
        break;
    default:
        break;
    }
}

void BA1::closeButton()
{
    npc[2]->showRestFace();
    const IniFile ini(ConfigPath);
    TrayQuestionState = ini.read("S_q", "ts", "0");
    CloseAction = ini.read("S_q", "quit", "0");
    if (parseInt32(TrayQuestionState) == 3) {
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
    if (parseInt32(CloseAction) == 1)
        ttt_v();
    else
        hideToTray(this);
}

void BA1::hideTip() { P1->hide(); }
