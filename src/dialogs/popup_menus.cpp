#include "dialogs/popup_menus.h"

#include "browser/browser_pane.h"
#include "mainwindow/ba1.h"
#include "startup/program_folder.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

BA3::BA3(BA1 &window) : window_(window)
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
    // The settings dialog and the version check are not part of this client yet: their items
    // stay in their places, disabled, rather than do nothing when chosen.
    r_m->addAction("软件设置")->setObjectName("shezhi");
    r_m->addAction("关于我们")->setObjectName("about");
    r_m->addAction("官方网站", this, &BA3::guanwang_Click)->setObjectName("guanwang");
    r_m->addSeparator()->setObjectName("aa12");
    r_m->addAction("升级检测")->setObjectName("shengji");
    r_m->addSeparator()->setObjectName("aa122");
    r_m->addAction("退出软件", &window, &BA1::ttt_v)->setObjectName("qsoft");
    for (const char *later : {"shezhi", "about", "shengji"})
        r_m->findChild<QAction *>(later)->setEnabled(false);

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
