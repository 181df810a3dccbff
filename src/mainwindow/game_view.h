#pragma once

#include "chrome/face_table.h"
#include "download/game_download.h"
#include "records/records.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class BrowserPane;
class ClickLabel;
class Records;
class Skin;
class SkinButton;
class bkDLControl;
struct KeptSizes;

// The game view zz(1): the title strip picg with yxname and c_z(8), the game area picf with the
// game pane Web2 in pic1 and the tool bar Picd (c_z(0..7), the download control dl and its
// labels), and the info pane Webr in pic2. It holds the current game and the tools' state, and
// is the game download flow's view.
class GameView : public QWidget, private DownloadView {
    Q_OBJECT
public:
    GameView(const Skin &skin, Records &records, QString portalBase, QWidget *parent);
    ~GameView() override;

    // The current game's private link ("0" before the first game) and escaped name.
    const QString &downurl() const { return downurl_; }
    const QString &GameName() const { return GameName_; }
    // The game page asked for its pop-ups to be blocked ("vepbad").
    bool popupsBlocked() const { return pb_ad_; }
    bool infoPaneShown() const { return infoPaneShown_; }
    bool isFullScreen() const { return fullScreen_; }

    // A game link's opening: the game pane navigates at once; the rest (title, info pane, link,
    // layout, then gameOpened) waits until the pane's request has left, at most a short while.
    void openGame(const QString &url, const QString &scheme, RecordKind kind);
    // Completes an opening still waiting; anything acting on the current game calls it first.
    void finishOpening();
    // The current game becomes this link without opening it (the favourite and download tools
    // act on it).
    void setGameLink(const QString &url) { downurl_ = url; }
    void focusGame();

    void c_z_click(ToolSlot slot);
    void enterFullScreen();
    void leaveFullScreen();
    void xiazai();
    void setGameName(const QString &name) { GameName_ = name; }

    void layout_game_view();
    void keepSizes(KeptSizes &sizes) const;
    void paintFaces();
    QList<BrowserPane *> panes() const;

signals:
    // The rest of an opening is done: the window records the game and shows this tab.
    void gameOpened(const QString &name, const QString &id, const QString &address, RecordKind kind);
    // A "velo" link in the game page goes to the portal pane.
    void portalLinkRequested(const QString &url);
    void favouriteRequested();
    void fullScreenRequested();
    void leaveFullScreenRequested();

private:
    void buildControls(const Skin &skin);
    void setPaused(bool paused);
    void setMuted(bool muted);
    void setInfoPaneShown(bool shown);
    void takeScreenshot();
    void Web2_BeforeNavigate(const QString &url, bool *cancel);

    // DownloadView: the tool bar's download strip.
    void setCountCaption(const QString &text) override;
    void showCount() override;
    QRect countGeometry() const override;
    void placeProgressBar(const QRect &geometry) override;
    void movePercentLabel(const QPoint &topLeft) override;
    void moveStopButton(const QPoint &topLeft) override;
    void setPercentCaption(const QString &text) override;
    void setProgressShown(bool shown) override;
    void balloon(const QString &text) override;
    void message(const QString &text) override;

    Records &records_;
    QString portalBase_;
    QString downurl_ = "0";
    QString GameName_;
    bool pb_ad_ = false;
    bool paused_ = false;
    bool muted_ = false;
    bool infoPaneShown_ = false;
    bool fullScreen_ = false;
    std::function<void()> openingRest_; // the part of a game's opening still to come

    QWidget *picg = nullptr, *picf = nullptr, *pic1 = nullptr, *Picd = nullptr, *pic2 = nullptr;
    ClickLabel *yxname = nullptr, *Image1 = nullptr, *tingzhi = nullptr, *lblCount = nullptr, *lbca = nullptr,
               *dlting = nullptr;
    BrowserPane *Web2 = nullptr, *Webr = nullptr;
    bkDLControl *dl = nullptr;
    std::array<SkinButton *, kToolSlotCount> c_z{};
    GameDownload *download_ = nullptr;
};
