#include "dialogs/popup_menus.h"

#include "browser/browser_pane.h"
#include "dialogs/settings_dialog.h"
#include "mainwindow/ba1.h"
#include "shell/window_front.h"
#include "base/program_folder.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

// A child of the window, so it goes with it.
BA3::BA3(BA1 &window) : QObject(&window), window_(window)
{
    myMenu = new QMenu(&window);
    myMenu->setObjectName("myMenu");
    myMenu->addAction("后退", &window, [&window] { window.Web1->goBack(); })->setObjectName("ht");
    myMenu->addAction("前进", &window, [&window] { window.Web1->goForward(); })->setObjectName("qj");
    myMenu->addSeparator()->setObjectName("sss");
    myMenu->addAction("复制", &window, [&window] { window.Web1->copy(); })->setObjectName("fz");
    myMenu->addAction("粘贴", &window, [&window] { window.Web1->paste(); })->setObjectName("zt");

    r_m = new QMenu(&window);
    r_m->setObjectName("r_m");
    r_m->addAction("软件设置", this, [this] { openSettings(1); })->setObjectName("shezhi");
    r_m->addAction("关于我们", this, [this] { openSettings(0); })->setObjectName("about");
    r_m->addAction("官方网站", this, &BA3::guanwang_Click)->setObjectName("guanwang");
    r_m->addSeparator()->setObjectName("aa12");
    r_m->addAction("升级检测", &window, &BA1::shengji)->setObjectName("shengji");
    r_m->addSeparator()->setObjectName("aa122");
    r_m->addAction("退出软件", &window, &BA1::ttt_v)->setObjectName("qsoft");

    webc = new QMenu(&window);
    webc->setObjectName("webc");
    webc->addAction("开始游戏", &window, &BA1::CCC_Click)->setObjectName("c_f");
    webc->addAction("删除游戏", &window, &BA1::ddd_Click)->setObjectName("c_shan");

    connect(&window, &BA1::mainMenuRequested, r_m, [this](const QPoint &at) { r_m->popup(at); });
    connect(&window, &BA1::browserMenuRequested, myMenu, [this](const QPoint &at) { myMenu->popup(at); });
    connect(&window, &BA1::entryMenuRequested, webc, [this](const QPoint &at) { webc->popup(at); });
}

BA3::~BA3() = default;

void BA3::guanwang_Click() { QDesktopServices::openUrl(QUrl(portalHomeUrl(window_.portalBase()))); }

void BA3::openSettings(int page)
{
    // A topmost main window would cover the dialog while it is shown, so it is let down for
    // that moment and made topmost again once the dialog stands above it.
    const bool wasTopmost = window_.Topmost;
    if (wasTopmost)
        window_.zhi_d(0);
    // Cleared before showing, so that a window hidden while minimised is not mapped iconified.
    if (window_.isMinimized())
        restoreFromMinimised(&window_);
    if (!window_.isVisible())
        window_.show();
    BA2 *dialog = window_.settingsDialog();
    dialog->show();
    if (wasTopmost)
        window_.zhi_d(1);
    dialog->lc_Click(page);
    dialog->raise();
    dialog->activateWindow();
}
