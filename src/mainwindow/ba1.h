#pragma once

#include "chrome/skin.h"
#include "chrome/window_layout.h"
#include "records/records.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class BA2;
class BA3;
class BrowserPane;
class GameDownload;
class ToolStripDownloadView;
class bkDLControl;
class SkinButton;
class TipBubble;
class VersionCheck;
class adsb;
class WindowBackground;
class ClickLabel;
class QNetworkAccessManager;
class QTimer;

// The main window: a frameless, skinned window with eight web panes onto the portal, the game
// view and its tools, the title bar and the list panel. The state members keep the names the
// rest of the client uses for them; the work is split across files by subsystem.
class BA1 : public QWidget {
    Q_OBJECT
public:
    explicit BA1(QWidget *parent = nullptr);
    ~BA1() override;

    // Game state: the current game's private link ("0" before the first game), its escaped
    // name, the pop-up block and full-screen mode.
    QString downurl = "0";
    QString GameName;
    int pb_ad = 0;
    int FullScreen = 0;
    int CurrentTab = 6;
    int PortalError = 0;
    int AdFailed = 0;
    bool Topmost = false;
    QString ConfigPath;
    QString LocalVersion;
    QRect WorkArea;
    QString TrayQuestionState;
    QString CloseAction;
    QString ContextLink;

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

    const Records &records() const { return records_; }
    // LatestVersion and ExitRecommend, as the version check read them.
    const VersionCheck &versionCheck() const { return *versionCheck_; }
    QString portalBase() const { return portalBase_; }

signals:
    // The popup menus of the menu form: the main menu, the browser menu over the portal and
    // the entry menu over the list page, each at a global position.
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
    // Construction of the control tree (ba1_controls.cpp).
    void buildControls();
    BrowserPane *makePane(QWidget *parent, const char *name);
    ClickLabel *makeLabel(QWidget *parent, const char *name, const QString &text);
    QWidget *makeBox(QWidget *parent, const char *name, const QColor &background = QColor());

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
    void openGame(const QString &url, const QString &scheme, int kind);
    // Completes an opening whose rest waits for the game pane's request (see openGame); anything
    // that acts on the current game calls it first.
    void finishGameOpening();
    void Web2_BeforeNavigate(const QString &url, bool *cancel);
    void Web2_NewWindow(bool *cancel);

    // Pane events (ba1_pane_events.cpp).
    QList<BrowserPane *> panes() const;
    void connectPaneEvents();
    void Web1_DownloadComplete();
    void Web1_NavigateError(const QString &url);
    void adweb_DownloadComplete();
    void adweb_NavigateError(const QString &url);
    void popupBrowserMenu(const QPoint &globalPos) { emit browserMenuRequested(globalPos); }

    // Game tools and title bar (ba1_tools.cpp, ba1_titlebar.cpp).
    void setPauseTool(bool paused);
    void takeScreenshot();
    static QString desktopFolder();
    void closeButton();
    void hideTip();
    void dlting_Click();

    // List panel (ba1_lists.cpp).
    void Web3_BeforeNavigate(const QString &url, bool *cancel);
    void Web3_ContextMenu(const QString &href, const QPoint &globalPos);
    void deleteEntry(const QString &link);
    void openEntry(const QString &link);
    void layoutListPanel();

    // Layout (ba1_layout.cpp).
    void Form_Resize();
    void layout_main();
    void layout_game_view();
    void layout_full_screen();
    void applyLayout(const ControlRects &rects);
    KeptSizes keptSizes() const;
    QSize clientSize() const;
    bool isMaximised() const;
    void maximiseToWorkArea();
    void restoreNormal();

public:
    // Controls, by the names the layout and the tests use as object names.
    std::array<QWidget *, 5> zz{};
    std::array<SkinButton *, 10> npc{};
    std::array<SkinButton *, 9> c_z{};
    BrowserPane *Web1 = nullptr, *Web2 = nullptr, *Webr = nullptr, *Web3 = nullptr, *Web4 = nullptr,
                *Web5 = nullptr, *adweb = nullptr;
    QWidget *zzer = nullptr, *picg = nullptr, *picf = nullptr, *pic1 = nullptr, *pic2 = nullptr,
            *Picd = nullptr, *ad_pic = nullptr;
    ClickLabel *webe = nullptr, *P2 = nullptr, *yxname = nullptr, *Image1 = nullptr, *tingzhi = nullptr,
           *lblCount = nullptr, *lbca = nullptr, *dlting = nullptr, *title_name = nullptr, *renj = nullptr;
    bkDLControl *dl = nullptr;
    // The list panel.
    QWidget *pic4 = nullptr, *Pic6 = nullptr, *Pic3 = nullptr, *Pic7 = nullptr, *Pic5 = nullptr;
    ClickLabel *lcname = nullptr, *shan_name = nullptr, *Im2 = nullptr, *Im1 = nullptr;
    std::array<ClickLabel *, 3> lc{};

private:
    QString portalBase_;
    Records records_;
    QNetworkAccessManager *network_ = nullptr;
    QTimer *Timer1 = nullptr; // the version check, once after start
    QTimer *Timer2 = nullptr; // the ad window, armed by the version check
    VersionCheck *versionCheck_ = nullptr;
    QPointer<adsb> adsb_;
    QRect normalGeometry_;
    Skin skin_;
    WindowBackground *background_ = nullptr;
    TipBubble *P1 = nullptr;
    std::unique_ptr<ToolStripDownloadView> downloadView_;
    GameDownload *download_ = nullptr;
    BA3 *menus_ = nullptr;
    QPointer<BA2> settings_;
    bool otherPanesNavigated_ = false;
    QString statisticsId_; // main/user as read at start, for the beacon after the portal page
    std::function<void()> gameOpeningRest_; // the part of a game's opening still to come
};
