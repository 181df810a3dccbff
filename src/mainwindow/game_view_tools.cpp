// The game view's tool bar: pause, reload, mute, favourites, screenshot, download, full screen,
// info pane and leaving full screen; and the download strip the game download flow shows.
#include "mainwindow/game_view.h"

#include "browser/browser_pane.h"
#include "chrome/click_label.h"
#include "chrome/skin_button.h"
#include "dialogs/message_box.h"
#include "download/bk_dl_control.h"
#include "shell/mute.h"
#include "shell/tray_icon.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {
QString desktopFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}
} // namespace

void GameView::c_z_click(ToolSlot slot)
{
    finishOpening();
    if (downurl_ == "0")
        return;
    SkinButton *button = c_z[int(slot)];
    switch (slot) {
    case ToolSlot::Pause:
        setPaused(!paused_);
        tingzhi->setText("当前游戏已经暂停");
        tingzhi->adjustSize();
        layout_game_view();
        break;
    case ToolSlot::Reload:
        if (paused_)
            setPaused(false);
        Web2->refresh();
        button->showRestFace();
        break;
    case ToolSlot::Mute:
        setMuted(!muted_);
        ::toggleSystemMute();
        break;
    case ToolSlot::Favourite:
        button->showRestFace();
        emit favouriteRequested();
        break;
    case ToolSlot::Screenshot:
        takeScreenshot();
        break;
    case ToolSlot::Download:
        button->showRestFace();
        download_->downloadTool();
        break;
    case ToolSlot::FullScreen:
        button->showRestFace();
        emit fullScreenRequested();
        break;
    case ToolSlot::InfoPane:
        setInfoPaneShown(!infoPaneShown_);
        button->showRestFace();
        layout_game_view();
        break;
    case ToolSlot::LeaveFullScreen:
        button->showRestFace();
        emit leaveFullScreenRequested();
        break;
    }
}

void GameView::setPaused(bool paused)
{
    paused_ = paused;
    SkinButton *pause = c_z[int(ToolSlot::Pause)];
    pause->setToggled(paused);
    pause->setToolTip(paused ? "继续" : "停止");
    Web2->setVisible(!paused);
    Web2->setFrozen(paused);
    pause->showRestFace();
}

void GameView::setMuted(bool muted)
{
    muted_ = muted;
    c_z[int(ToolSlot::Mute)]->setToggled(muted);
    c_z[int(ToolSlot::Mute)]->setToolTip(muted ? "取消" : "静音");
}

void GameView::setInfoPaneShown(bool shown)
{
    infoPaneShown_ = shown;
    c_z[int(ToolSlot::InfoPane)]->setToggled(shown);
    c_z[int(ToolSlot::InfoPane)]->setToolTip(shown ? "隐藏" : "显示");
}

void GameView::enterFullScreen()
{
    fullScreen_ = true;
    Picd->hide();
    c_z[int(ToolSlot::LeaveFullScreen)]->show();
}

void GameView::leaveFullScreen()
{
    fullScreen_ = false;
    Picd->show();
    c_z[int(ToolSlot::LeaveFullScreen)]->hide();
}

void GameView::xiazai()
{
    finishOpening();
    download_->xiazai();
}

void GameView::takeScreenshot()
{
    SkinButton *button = c_z[int(ToolSlot::Screenshot)];
    button->setEnabled(false);
    const QImage shot = Web2->grabImage();

    GameName_.remove('\\');
    GameName_.remove('/'); // a "/" would lead the folder out of the desktop
    GameName_ = GameName_.trimmed();
    if (GameName_.isEmpty()) {
        MessageBox::inform(window(), "游戏错误，无法完成截图！");
        button->setEnabled(true);
        return;
    }
    const QString folder = desktopFolder() + GameName_;
    QDir().mkpath(folder);
    const QString path = folder + "/" + QString::number(QRandomGenerator::global()->bounded(100, 1000));
    shot.save(path + ".bmp", "BMP");
    ::tray_balloon("截图完成。路径:" + path + ".bmp");
    button->setEnabled(true);
    button->showRestFace();
}

void GameView::setCountCaption(const QString &text)
{
    lblCount->setText(text);
    lblCount->adjustSize();
}

void GameView::showCount() { lblCount->show(); }

QRect GameView::countGeometry() const { return lblCount->geometry(); }

void GameView::placeProgressBar(const QRect &geometry) { dl->setGeometry(geometry); }

void GameView::movePercentLabel(const QPoint &topLeft) { lbca->move(topLeft); }

void GameView::moveStopButton(const QPoint &topLeft) { dlting->move(topLeft); }

void GameView::setPercentCaption(const QString &text)
{
    lbca->setText(text);
    lbca->adjustSize();
}

void GameView::setProgressShown(bool shown)
{
    dl->setVisible(shown);
    lbca->setVisible(shown);
    dlting->setVisible(shown);
}

void GameView::balloon(const QString &text) { ::tray_balloon(text); }

void GameView::message(const QString &text) { MessageBox::inform(window(), text); }
