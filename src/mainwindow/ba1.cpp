#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "chrome/button_faces.h"
#include "chrome/face_table.h"
#include "shell/window_front.h"
#include "dialogs/ad_window.h"
#include "dialogs/popup_menus.h"
#include "dialogs/settings_dialog.h"
#include "shell/boss_key.h"
#include "shell/tray_icon.h"
#include "chrome/skin_button.h"
#include "chrome/window_background.h"
#include "mainwindow/tool_strip_download_view.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "update/update_timings.h"
#include "update/version_check.h"

#include <QGuiApplication>
#include "chrome/click_label.h"
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScreen>
#include <QTimer>
#include <QWindow>

BA1::BA1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      portalBase_(portalBaseUrl()),
      records_(programPath("app"), [this] {
          if (Web3)
              Web3->refresh();
      })
{
    setObjectName("BA1");
    setWindowTitle("Tamsa游戏盒");
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);
    setAutoFillBackground(true);
    resize(798, 522);
    network_ = new QNetworkAccessManager(this);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(updateTimings().check);
    Timer2 = new QTimer(this);
    Timer2->setSingleShot(true);
    Timer2->setInterval(updateTimings().adWindow);
    connect(Timer2, &QTimer::timeout, this, &BA1::Timer2_Timer);
    versionCheck_ = new VersionCheck(this, network_, portalBase_, [this] { return LocalVersion; });
    connect(Timer1, &QTimer::timeout, versionCheck_, &VersionCheck::Timer1_Timer);
    connect(versionCheck_, &VersionCheck::adTimerArmed, Timer2, qOverload<>(&QTimer::start));
    connect(versionCheck_, &VersionCheck::quitRequested, this, &BA1::ttt_v);
    buildControls();
    connectPaneEvents();
    Form_Load();
}

// The ad window is a window of its own, not a child: it goes with this one.
BA1::~BA1() { delete adsb_.data(); }

void BA1::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        WorkArea = screen->availableGeometry();

    ConfigPath = programPath("config.ini");
    const IniFile ini(ConfigPath);
    const QString machineId = ini.read("main", "user", "0");
    LocalVersion = ini.read("main", "Ver", "0");
    if (parseInt32(ini.read("S_q", "s_size", "0")) == 2) {
        // The saved size is in twips, 15 to a pixel.
        resize(ini.readInt("S_q", "h_w") / 15, ini.readInt("S_q", "h_h") / 15);
    }
    move(WorkArea.center() - rect().center()); // centred at the size it opens with
    p_p(0);
    statisticsId_ = machineId;
    navigatePanes();

    CurrentTab = 6;
    PortalError = 0;
    AdFailed = 0;
    downurl = "0";
    FullScreen = 0;
    pb_ad = 0;
    menus_ = new BA3(*this);
    tray_install(this, menus_->r_m, windowTitle());
    if (!RegisterBossKey(this, [this] { return secondaryWindows(); }))
        renj->setText(kBossKeyConflictText);
    Timer1->start();
}

void BA1::navigatePanes()
{
    // The portal page comes first; the other panes follow, in their order, once it has loaded
    // or failed, so that they do not slow down the page the player sees first.
    Web1->navigate(portalBase_);
    connect(Web1, &BrowserPane::downloadComplete, this, &BA1::navigateOtherPanes, Qt::SingleShotConnection);
    connect(Web1, &BrowserPane::navigateError, this, &BA1::navigateOtherPanes, Qt::SingleShotConnection);
}

void BA1::navigateOtherPanes()
{
    if (otherPanesNavigated_)
        return;
    otherPanesNavigated_ = true;
    // The game and info panes start blank as they are: loading "about:blank" into them would
    // only start a renderer process each (about 12 MiB) long before the first game needs one.
    // The list pane already shows this page since the skin load selected list 0.
    if (Web3->address() != programPath("app/n.htm"))
        Web3->navigate(programPath("app/n.htm"));
    Web4->navigate(portalBase_ + "yy/");
    Web5->navigate(portalBase_ + "music/");
    adweb->navigate(portalBase_ + "js/ads/topad.html");
    requestStatistics(statisticsId_);
}

void BA1::requestStatistics(const QString &machineId)
{
    // The beacon's answer is never shown, so a plain request serves instead of a hidden pane.
    QNetworkRequest request(QUrl(portalBase_ + "tj/tj.asp?id=" + machineId));
    request.setTransferTimeout(20000);
    QNetworkReply *reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

QWidget *BA1::tabPage(int npcIndex) const
{
    const int tab = tabNumber(npcIndex);
    return tab < 0 ? nullptr : zz[tab];
}

void BA1::ShowTab(int n)
{
    QWidget *next = tabPage(n);
    if (!next)
        return;
    if (QWidget *current = tabPage(CurrentTab)) {
        npc[CurrentTab]->showRestFace();
        current->hide();
        npc[CurrentTab]->setEnabled(true);
    }
    npc[n]->setEnabled(false);
    npc[n]->showFace(*selectedTabFace(npc[n]->id()));
    next->show();
    next->raise();
    CurrentTab = n;
}

void BA1::zhi_d(int mode)
{
    Topmost = mode == 1;
    // Changed in place: setWindowFlag would hide the window and give it a new native window,
    // which the windows it owns (the settings dialog) no longer stand above.
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, Topmost));
    if (QWindow *native = windowHandle())
        native->setFlags(windowFlags());
}

void BA1::p_p(int skin)
{
    skin_.load(skin);
    background_->paint_background(skin_.strip(0), clientSize());
    paint_button_faces({npc, c_z});
    lc_Click(0);
}

void BA1::Form_DblClick()
{
    if (FullScreen == 1) {
        FullScreen = 0;
        quit_quan_Click();
    } else {
        npc_Click(1);
    }
}

void BA1::mouseDoubleClickEvent(QMouseEvent *event)
{
    Form_DblClick();
    event->accept();
}

void BA1::Timer2_Timer()
{
    if (!adsb_)
        adsb_ = new adsb(portalBase_);
    adsb_->show();
}

void BA1::shengji() { versionCheck_->shengji(); }

void BA1::P2_Click()
{
    PortalError = 0;
    Web1->navigate(portalBase_);
}

void BA1::webe_Click() { P2_Click(); }

void BA1::ttt_v()
{
    tray_remove();
    if (adsb_)
        adsb_->close();
    // The recommendation window outlives this one: the program runs on until it has closed.
    if (versionCheck_->ExitRecommend() == "1")
        (new ba4(portalBase_))->show();
    close();
}

QList<QWidget *> BA1::secondaryWindows() const { return {settings_.data(), adsb_.data()}; }

void BA1::Form_LinkExecute() { bringToFront(this); }

BA2 *BA1::settingsDialog()
{
    if (!settings_)
        settings_ = new BA2(this, skin_, ConfigPath);
    return settings_;
}
