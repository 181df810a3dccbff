// The control tree of the main window: its parts, tab pages, error panel and ad strip.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "chrome/click_label.h"
#include "chrome/frame_mouse_handler.h"
#include "chrome/hover_rules.h"
#include "chrome/window_background.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/title_bar.h"
#include "mainwindow/window_parts.h"

void BA1::buildControls()
{
    // The tab pages in their order, each above the one before.
    for (int tab = 0; tab < int(zz.size()); ++tab) {
        if (tab == 1) {
            zz[tab] = gameView_ = new GameView(skin_, records_, portalBase_, this);
        } else if (tab == 2) {
            zz[tab] = listPanel_ = new ListPanel(records_, [this] { return clientSize().width(); }, this);
        } else {
            zz[tab] = makeBox(this, "", QColor(255, 255, 255));
            zz[tab]->setObjectName(QString("zz_%1").arg(tab));
            zz[tab]->hide();
        }
    }
    Web1 = makePane(zz[0], "Web1");
    Web4 = makePane(zz[3], "Web4");
    Web5 = makePane(zz[4], "Web5");

    // The portal error panel, up until the portal has loaded.
    zzer = makeBox(this, "zzer", Qt::white);
    P2 = makeLabel(zzer, "P2", "");
    P2->resize(204, 153);
    P2->setPixmap(skinPicture(SkinPictures::kRetry));
    P2->setCursor(Qt::PointingHandCursor);
    webe = makeLabel(zzer, "webe", "数据加载中，请稍后．．．");
    webe->adjustSize();
    connect(P2, &ClickLabel::clicked, this, &BA1::P2_Click);
    connect(webe, &ClickLabel::clicked, this, &BA1::webe_Click);

    ad_pic = makeBox(this, "ad_pic");
    ad_pic->hide();
    adweb = makePane(ad_pic, "adweb");

    titleBar_ = new TitleBar(skin_, this);
    titleBar_->setTabHoverRule([this](TitleSlot tab) {
        return hoverRepaintsTab(int(tab),
                                {zz[0]->isVisible(), zz[1]->isVisible(), zz[2]->isVisible(), zz[3]->isVisible(),
                                 zz[4]->isVisible()},
                                PortalError_ == 1);
    });
    background_ = new WindowBackground(this);
    new FrameMouseHandler(this);
    connectParts();
}

void BA1::connectParts()
{
    connect(titleBar_, &TitleBar::clicked, this, [this](TitleSlot slot) { npc_Click(int(slot)); });
    connect(gameView_, &GameView::gameOpened, this, &BA1::recordOpenedGame);
    connect(gameView_, &GameView::portalLinkRequested, Web1, &BrowserPane::navigate);
    connect(gameView_, &GameView::favouriteRequested, this, &BA1::shoucang);
    connect(gameView_, &GameView::fullScreenRequested, this, &BA1::enterFullScreen);
    connect(gameView_, &GameView::leaveFullScreenRequested, this, &BA1::quit_quan_Click);
    connect(listPanel_, &ListPanel::gameLinkRequested, this, [this](const QString &url, const QString &name) {
        gameView_->setGameName(name);
        Web1->navigate(url);
    });
    connect(listPanel_, &ListPanel::entryMenuRequested, this, &BA1::entryMenuRequested);
}
