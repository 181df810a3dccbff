// The game view's controls, the opening of a game and its layout.
#include "mainwindow/game_view.h"

#include "base/program_folder.h"
#include "browser/browser_pane.h"
#include "chrome/button_faces.h"
#include "chrome/click_label.h"
#include "chrome/control_rects.h"
#include "chrome/skin.h"
#include "chrome/skin_button.h"
#include "chrome/window_layout.h"
#include "download/bk_dl_control.h"
#include "mainwindow/window_parts.h"
#include "records/game_link.h"
#include "records/unescape.h"

#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace {
// The longest the rest of a game's opening waits for the game pane's request to leave.
constexpr int kGameOpeningWaitMs = 250;
} // namespace

GameView::GameView(const Skin &skin, Records &records, QString portalBase, QWidget *parent)
    : QWidget(parent), records_(records), portalBase_(std::move(portalBase))
{
    setObjectName("zz_1");
    fillBackground(this, QColor(255, 255, 255));
    hide();
    buildControls(skin);
    connect(Web2, &BrowserPane::beforeNavigate, this, &GameView::Web2_BeforeNavigate);
    connect(Web2, &BrowserPane::newWindow, this, [this](bool *cancel) {
        if (pb_ad_)
            *cancel = true;
    });
    connect(Web2, &BrowserPane::documentRequested, this, &GameView::finishOpening);
    Web2->setMenuPolicy(BrowserPane::MenuPolicy::Browser);
    Webr->setMenuPolicy(BrowserPane::MenuPolicy::None);
}

GameView::~GameView() = default;

void GameView::buildControls(const Skin &skin)
{
    picg = makeBox(this, "picg", QColor(234, 244, 252));
    yxname = makeLabel(picg, "yxname", "当前没有游戏：");
    yxname->setTextFormat(Qt::PlainText); // the name is the portal's: markup in it is text
    yxname->move(32, 8);
    Image1 = makeLabel(picg, "Image1", "");
    Image1->setGeometry(20, 11, 6, 6);
    Image1->setPixmap(skinPicture(SkinPictures::kBullet));
    picf = makeBox(this, "picf");
    pic1 = makeBox(picf, "pic1", Qt::black);
    tingzhi = makeLabel(pic1, "tingzhi", "当前没有游戏");
    tingzhi->setStyleSheet("color: white");
    Web2 = makePane(pic1, "Web2");
    Picd = makeBox(picf, "Picd", QColor(234, 244, 252));
    lblCount = makeLabel(Picd, "lblCount", "");
    dl = bkDLControl::createMainWindowDl(Picd);
    lbca = makeLabel(Picd, "lbca", "");
    lbca->hide();
    dlting = makeLabel(Picd, "dlting", "×");
    dlting->setToolTip("停止下载");
    dlting->hide();
    pic2 = makeBox(this, "pic2");
    Webr = makePane(pic2, "Webr");

    // The toggling tools' tooltips tell their state: running, sound on, info pane hidden.
    const char *const toolTips[kToolSlotCount] = {"停止", "", "静音", "", "", "", "", "显示", "显示"};
    for (int i = 0; i < kToolSlotCount; ++i) {
        c_z[i] = new SkinButton(skin, SkinButtonId{SkinButtonId::Tool, i}, i == 8 ? picg : Picd);
        c_z[i]->setToolTip(toolTips[i]);
        connect(c_z[i], &SkinButton::clicked, this, [this, i] { c_z_click(ToolSlot(i)); });
    }
    c_z[int(ToolSlot::LeaveFullScreen)]->hide();

    download_ = new GameDownload(dl->transfer(), *this, records_, [this] { return downurl_; }, this);
    connect(dlting, &ClickLabel::clicked, download_, &GameDownload::dlting_Click);
    // Over these the pointer goes back to the arrow after the edge band's sizing shapes.
    for (QWidget *surface : {picg, Picd})
        surface->setCursor(Qt::ArrowCursor);
}

void GameView::openGame(const QString &url, const QString &scheme, RecordKind kind)
{
    finishOpening(); // a game opened just before this one is complete first
    pb_ad_ = false;
    const GameLinkFields fields = splitGameLink(url, scheme);
    const QString id = fields.id.value_or(QString());
    const QString address = fields.address.value_or(QString());
    if (fields.name)
        GameName_ = *fields.name;

    // The game's request leaves first. The engine sends it only after several turns of the
    // event loop, and anything done here would come first: the tab switch and the layout
    // repaint the window (30-120 ms a time under a software renderer) and the record goes to
    // the disk. All that follows once the game pane's request has left, or after
    // kGameOpeningWaitMs. The pane runs again before it loads: a paused page is frozen.
    setPaused(false);
    const auto localFile = downloadedGamePath(programFolder(), id);
    const bool playLocally = localFile && QFileInfo::exists(*localFile);
    Web2->navigate(gamePageFor(id, address, programFolder(), portalBase_, playLocally));

    openingRest_ = [this, url, id, address, kind, name = GameName_] {
        yxname->setText("当前：在线小游戏 >> " + UnescapeText(name) + "：");
        yxname->adjustSize();
        // The id is the portal's: encoded, it cannot add parameters to the request.
        Webr->navigate(portalBase_ + "app/flash_info.asp?id=" + QString::fromLatin1(QUrl::toPercentEncoding(id)));
        downurl_ = url;
        if (!infoPaneShown_)
            c_z_click(ToolSlot::InfoPane);
        lblCount->setText("");
        lblCount->adjustSize();
        layout_game_view();
        emit gameOpened(name, id, address, kind);
        focusGame();
    };
    QTimer::singleShot(kGameOpeningWaitMs, this, &GameView::finishOpening);
}

void GameView::finishOpening()
{
    if (const auto rest = std::exchange(openingRest_, nullptr))
        rest();
}

void GameView::focusGame() { Web2->setFocus(); } // keys reach the game only while its pane has the focus

void GameView::Web2_BeforeNavigate(const QString &url, bool *cancel)
{
    if (url.startsWith("velo")) {
        *cancel = true;
        emit portalLinkRequested(url);
    } else if (url.startsWith("vepbad")) {
        *cancel = true;
        pb_ad_ = true;
    }
}

void GameView::layout_game_view()
{
    const GameViewLayout layout = ::layout_game_view(size(), infoPaneShown_, tingzhi->size());
    applyControlRects(this, layout.rects);
    pic2->setVisible(layout.pic2Visible);
}

void GameView::keepSizes(KeptSizes &sizes) const
{
    sizes.lblCount = lblCount->size();
    sizes.tingzhi = tingzhi->size();
}

void GameView::paintFaces() { paint_button_faces({{}, c_z}); }

QList<BrowserPane *> GameView::panes() const { return {Web2, Webr}; }
