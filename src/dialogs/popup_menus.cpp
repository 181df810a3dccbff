#include "dialogs/popup_menus.h"

#include "base/program_folder.h"
#include "browser/browser_pane.h"
#include "dialogs/menu_host.h"
#include "dialogs/settings_dialog.h"
#include "shell/window_front.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

BA3::BA3(MenuHost &host) : QObject(host.menuWindow()), host_(host)
{
    QWidget *window = host.menuWindow();
    myMenu = new QMenu(window);
    myMenu->setObjectName("myMenu");
    myMenu->addAction("后退", this, [this] { host_.portalPane().goBack(); })->setObjectName("ht");
    myMenu->addAction("前进", this, [this] { host_.portalPane().goForward(); })->setObjectName("qj");
    myMenu->addSeparator()->setObjectName("sss");
    myMenu->addAction("复制", this, [this] { host_.portalPane().copy(); })->setObjectName("fz");
    myMenu->addAction("粘贴", this, [this] { host_.portalPane().paste(); })->setObjectName("zt");

    r_m = new QMenu(window);
    r_m->setObjectName("r_m");
    r_m->addAction("软件设置", this, [this] { openSettings(1); })->setObjectName("shezhi");
    r_m->addAction("关于我们", this, [this] { openSettings(0); })->setObjectName("about");
    r_m->addAction("官方网站", this, &BA3::guanwang_Click)->setObjectName("guanwang");
    r_m->addSeparator()->setObjectName("aa12");
    r_m->addAction("升级检测", this, [this] { host_.checkForUpdate(); })->setObjectName("shengji");
    r_m->addSeparator()->setObjectName("aa122");
    r_m->addAction("退出软件", this, [this] { host_.quit(); })->setObjectName("qsoft");

    webc = new QMenu(window);
    webc->setObjectName("webc");
    webc->addAction("开始游戏", this, [this] { host_.openContextEntry(); })->setObjectName("c_f");
    webc->addAction("删除游戏", this, [this] { host_.deleteContextEntry(); })->setObjectName("c_shan");
}

BA3::~BA3() = default;

void BA3::popupMainMenu(const QPoint &globalPos) { r_m->popup(globalPos); }
void BA3::popupBrowserMenu(const QPoint &globalPos) { myMenu->popup(globalPos); }
void BA3::popupEntryMenu(const QPoint &globalPos) { webc->popup(globalPos); }

void BA3::guanwang_Click() { QDesktopServices::openUrl(QUrl(portalHomeUrl(host_.portalAddress()))); }

void BA3::openSettings(int page)
{
    // A topmost main window would cover the dialog while it is shown, so it is let down for
    // that moment and made topmost again once the dialog stands above it.
    QWidget *window = host_.menuWindow();
    const bool wasTopmost = host_.isTopmost();
    if (wasTopmost)
        host_.setTopmost(false);
    // Cleared before showing, so that a window hidden while minimised is not mapped iconified.
    if (window->isMinimized())
        restoreFromMinimised(window);
    if (!window->isVisible())
        window->show();
    BA2 *dialog = host_.openSettingsDialog();
    dialog->show();
    if (wasTopmost)
        host_.setTopmost(true);
    dialog->lc_Click(page);
    dialog->raise();
    dialog->activateWindow();
}
