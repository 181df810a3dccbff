#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "chrome/window_background.h"
#include "dialogs/ad_window.h"
#include "dialogs/popup_menus.h"
#include "dialogs/settings_dialog.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/title_bar.h"
#include "shell/boss_key.h"
#include "shell/tray_icon.h"
#include "shell/window_front.h"
#include "update/update_timings.h"
#include "update/version_check.h"

#include <QGuiApplication>
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
          if (listPanel_)
              listPanel_->refresh();
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
    versionCheck_ = new VersionCheck(this, network_, portalBase_, [this] { return LocalVersion_; });
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
        WorkArea_ = screen->availableGeometry();

    ConfigPath_ = programPath("config.ini");
    const IniFile ini(ConfigPath_);
    const QString machineId = ini.read("main", "user", "0");
    LocalVersion_ = ini.read("main", "Ver", "0");
    if (parseInt32(ini.read("S_q", "s_size", "0")) == 2) {
        // The saved size is in twips, 15 to a pixel.
        resize(ini.readInt("S_q", "h_w") / 15, ini.readInt("S_q", "h_h") / 15);
    }
    move(WorkArea_.center() - rect().center()); // centred at the size it opens with
    p_p(0);
    statisticsId_ = machineId;
    navigatePanes();

    CurrentTab_ = 6;
    PortalError_ = 0;
    AdFailed_ = 0;
    menus_ = new BA3(*this);
    connect(this, &BA1::mainMenuRequested, menus_, &BA3::popupMainMenu);
    connect(this, &BA1::browserMenuRequested, menus_, &BA3::popupBrowserMenu);
    connect(this, &BA1::entryMenuRequested, menus_, &BA3::popupEntryMenu);
    tray_install(this, menus_->mainMenu(), windowTitle());
    if (!RegisterBossKey(this, [this] { return secondaryWindows(); }))
        titleBar_->showBossKeyConflict();
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
    if (listPanel_->pane()->address() != programPath("app/n.htm"))
        listPanel_->pane()->navigate(programPath("app/n.htm"));
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
    titleBar_->selectTab(TitleSlot(CurrentTab_), TitleSlot(n));
    if (QWidget *current = tabPage(CurrentTab_))
        current->hide();
    next->show();
    next->raise();
    CurrentTab_ = n;
}

void BA1::zhi_d(int mode)
{
    Topmost_ = mode == 1;
    // Changed in place: setWindowFlag would hide the window and give it a new native window,
    // which the windows it owns (the settings dialog) no longer stand above.
    overrideWindowFlags(windowFlags().setFlag(Qt::WindowStaysOnTopHint, Topmost_));
    if (QWindow *native = windowHandle())
        native->setFlags(windowFlags());
}

void BA1::p_p(int skin)
{
    skin_.load(skin);
    background_->paint_background(skin_.strip(0), clientSize());
    titleBar_->paintFaces();
    gameView_->paintFaces();
    lc_Click(int(ListKind::RecentlyPlayed));
}

void BA1::Form_DblClick()
{
    if (gameView_->isFullScreen()) {
        quit_quan_Click();
    } else {
        npc_Click(int(TitleSlot::Maximise));
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
    PortalError_ = 0;
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
        settings_ = new BA2(this, skin_, ConfigPath_);
    return settings_;
}
