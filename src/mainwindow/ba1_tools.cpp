// The game view's tool bar: pause, reload, mute, favourites, screenshot, download, full screen,
// info pane and leaving full screen.
#include "mainwindow/ba1.h"

#include "chrome/skin_button.h"

#include "browser/browser_pane.h"
#include "dialogs/message_box.h"
#include "download/game_download.h"
#include "shell/mute.h"
#include "shell/tray_icon.h"

#include <QDir>
#include "chrome/click_label.h"
#include <QRandomGenerator>
#include <QStandardPaths>

void BA1::setPauseTool(bool paused)
{
    c_z[0]->setToolTip(paused ? "继续" : "停止");
    Web2->setVisible(!paused);
    Web2->setFrozen(paused);
    c_z[0]->showRestFace();
}

void BA1::c_z_click(int index)
{
    finishGameOpening();
    if (downurl == "0" || index < 0 || index > 8)
        return;
    switch (index) {
    case 0:
        setPauseTool(Web2->isVisible());
        tingzhi->setText("当前游戏已经暂停");
        tingzhi->adjustSize();
        layout_game_view();
        break;
    case 1:
        if (!Web2->isVisible())
            setPauseTool(false);
        Web2->refresh();
        c_z[1]->showRestFace();
        break;
    case 2:
        c_z[2]->setToolTip(c_z[2]->toolTip() == "取消" ? "静音" : "取消");
        ::toggleSystemMute();
        break;
    case 3:
        c_z[3]->showRestFace();
        shoucang();
        break;
    case 4:
        takeScreenshot();
        break;
    case 5:
        c_z[5]->showRestFace();
        download_->downloadTool();
        break;
    case 6:
        c_z[6]->showRestFace();
        FullScreen = 1;
        Picd->hide();
        ad_pic->hide();
        npc[1]->setToolTip("还原");
        c_z[8]->show();
        layout_full_screen();
        break;
    case 7:
        c_z[7]->setToolTip(c_z[7]->toolTip().contains("隐藏") ? "显示" : "隐藏");
        c_z[7]->showRestFace();
        layout_game_view();
        break;
    case 8:
        c_z[8]->showRestFace();
        quit_quan_Click();
        break;
    }
}

void BA1::quit_quan_Click()
{
    FullScreen = 0;
    Picd->show();
    c_z[8]->hide();
    if (AdFailed != 1)
        ad_pic->show();
    npc[2]->setToolTip("关闭");
    restoreNormal();
    npc[1]->setToolTip("最大化");
    npc[1]->showRestFace();
}

void BA1::takeScreenshot()
{
    c_z[4]->setEnabled(false);
    const QImage shot = Web2->grabImage();

    GameName.remove('\\');
    GameName.remove('/'); // a "/" would lead the folder out of the desktop
    GameName = GameName.trimmed();
    if (GameName.isEmpty()) {
        MessageBox::inform(this, "游戏错误，无法完成截图！");
        c_z[4]->setEnabled(true);
        return;
    }
    const QString folder = desktopFolder() + GameName;
    QDir().mkpath(folder);
    const QString path = folder + "/" + QString::number(QRandomGenerator::global()->bounded(100, 1000));
    shot.save(path + ".bmp", "BMP");
    tray_balloon("截图完成。路径:" + path + ".bmp");
    c_z[4]->setEnabled(true);
    c_z[4]->showRestFace();
}

QString BA1::desktopFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

void BA1::xiazai()
{
    finishGameOpening();
    download_->xiazai();
}

void BA1::dlting_Click() { download_->dlting_Click(); }

void BA1::tray_balloon(const QString &text) { ::tray_balloon(text); }
