#pragma once

#include "chrome/face_table.h"
#include "chrome/skin.h"
#include "chrome/window_layout.h"
#include "dialogs/menu_host.h"
#include "records/records.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>

class BA2;
class BA3;
class BrowserPane;
class ClickLabel;
class GameView;
class ListPanel;
class TestChurn;
class TitleBar;
class VersionCheck;
class WindowBackground;
class adsb;
class QNetworkAccessManager;
class QTimer;

// The main window: a frameless, skinned window with the title bar, the tab pages (the portal
// pane, the game view, the list panel, the web games and music pages), the portal error panel
// and the ad strip. It lays them out, switches tabs and carries the operations the rest of the
// client calls by name; the parts do the work.
class BA1 : public QWidget, public MenuHost {
    Q_OBJECT
public:
    explicit BA1(QWidget *parent = nullptr);
    ~BA1() override;

    // The current game's private link ("0" before the first game) and escaped name, the pop-up
    // block and full-screen mode (1 while on), as the game view keeps them.
    const QString &downurl() const;
    const QString &GameName() const;
    int pb_ad() const;
    int FullScreen() const;
    // The npc index of the tab page that shows.
    int CurrentTab() const { return CurrentTab_; }
    int PortalError() const { return PortalError_; }
    bool Topmost() const { return Topmost_; }
    const QRect &WorkArea() const { return WorkArea_; }
    const QString &ConfigPath() const { return ConfigPath_; }
    const QString &ContextLink() const;

    // Operations other parts of the client call by name.
    void ShowTab(int n);
    void ttt_v();
    void zhi_d(int mode);
    void p_p(int skin);
    void Form_DblClick();
    void Timer2_Timer();
    // The manual version check (the main menu's "升级检测").
    void shengji();
    void P2_Click();
    void webe_Click();
    void c_z_click(int index);
    void quit_quan_Click();
    void npc_Click(int index);
    void shoucang();
    void xiazai();
    void lc_Click(int index);
    void CCC_Click();
    void ddd_Click();
    void shan_name_Click();
    void tray_balloon(const QString &text);
    // A later start of the program asked the running one to come to the front.
    void Form_LinkExecute();
    // The settings dialog: the open one, or a new one owned by this window.
    BA2 *settingsDialog();

    // LatestVersion and ExitRecommend, as the version check read them.
    const VersionCheck &versionCheck() const { return *versionCheck_; }
    QString portalBase() const { return portalBase_; }

signals:
    // The popup menus: the main menu, the browser menu over the portal and the entry menu over
    // the list page, each at a global position.
    void mainMenuRequested(const QPoint &globalPos);
    void browserMenuRequested(const QPoint &globalPos);
    void entryMenuRequested(const QPoint &globalPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Hidden by the boss key or to the tray, the panes rest until the window shows again.
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class TestChurn; // drives the handlers as clicks would

    // MenuHost: what the popup menus ask of the window.
    QWidget *menuWindow() override { return this; }
    BrowserPane &portalPane() override { return *Web1; }
    bool isTopmost() const override { return Topmost_; }
    void setTopmost(bool on) override { zhi_d(on ? 1 : 0); }
    BA2 *openSettingsDialog() override { return settingsDialog(); }
    void checkForUpdate() override { shengji(); }
    void quit() override { ttt_v(); }
    void openContextEntry() override { CCC_Click(); }
    void deleteContextEntry() override { ddd_Click(); }
    QString portalAddress() const override { return portalBase_; }

    // Construction of the control tree (ba1_controls.cpp).
    void buildControls();
    void connectParts();

    // Start-up (ba1.cpp).
    void Form_Load();
    void navigatePanes();
    void navigateOtherPanes();
    QWidget *tabPage(int npcIndex) const;
    // The windows the boss key closes with the main window.
    QList<QWidget *> secondaryWindows() const;
    void requestStatistics(const QString &machineId);

    // Link dispatch (ba1_links.cpp).
    void Web1_BeforeNavigate(const QString &url, bool *cancel);
    void recordOpenedGame(const QString &name, const QString &id, const QString &address, RecordKind kind);

    // Pane events (ba1_pane_events.cpp).
    QList<BrowserPane *> panes() const;
    void connectPaneEvents();
    void Web1_DownloadComplete();
    void Web1_NavigateError(const QString &url);
    void adweb_DownloadComplete();
    void adweb_NavigateError(const QString &url);

    // Title bar and full screen (ba1_titlebar.cpp).
    void closeButton();
    void enterFullScreen();

    // Layout (ba1_layout.cpp).
    void Form_Resize();
    void layout_full_screen();
    void applyLayout(const ControlRects &rects);
    KeptSizes keptSizes() const;
    QSize clientSize() const;
    void maximiseToWorkArea();
    void restoreNormal();

    QString portalBase_;
    Records records_;
    int CurrentTab_ = 6;
    int PortalError_ = 0;
    int AdFailed_ = 0;
    bool Topmost_ = false;
    QString ConfigPath_;
    QString LocalVersion_;
    QRect WorkArea_;

    // The tab pages and the panes of the window itself; the parts own theirs.
    std::array<QWidget *, 5> zz{};
    GameView *gameView_ = nullptr;
    ListPanel *listPanel_ = nullptr;
    TitleBar *titleBar_ = nullptr;
    BrowserPane *Web1 = nullptr, *Web4 = nullptr, *Web5 = nullptr, *adweb = nullptr;
    QWidget *zzer = nullptr, *ad_pic = nullptr;
    ClickLabel *webe = nullptr, *P2 = nullptr;

    QNetworkAccessManager *network_ = nullptr;
    QTimer *Timer1 = nullptr; // the version check, once after start
    QTimer *Timer2 = nullptr; // the ad window, armed by the version check
    VersionCheck *versionCheck_ = nullptr;
    QPointer<adsb> adsb_;
    QRect normalGeometry_;
    Skin skin_;
    WindowBackground *background_ = nullptr;
    BA3 *menus_ = nullptr;
    QPointer<BA2> settings_;
    bool otherPanesNavigated_ = false;
    QString statisticsId_; // main/user as read at start, for the beacon after the portal page
};
