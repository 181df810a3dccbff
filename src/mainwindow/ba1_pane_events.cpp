// Silent panes, panes resting while the window is hidden, the portal error panel, the ad
// strip's failure and the context-menu routing.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"

#include "chrome/click_label.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"

#include <QHideEvent>
#include <QShowEvent>

namespace {
const char kPortalErrorText[] =
    "Error！出错了\r\n\r\n1.请检查你的网络连接\r\n\r\n2.软件网络出现了故障\r\n\r\n"
    "3.请点此尝试重新连接\r\n\r\n4.请尝试重新启动软件\r\n\r\n";
} // namespace

QList<BrowserPane *> BA1::panes() const
{
    return QList<BrowserPane *>{Web1, Web4, Web5, adweb, listPanel_->pane()} + gameView_->panes();
}

void BA1::connectPaneEvents()
{
    for (BrowserPane *pane : panes()) {
        connect(pane, &BrowserPane::downloadBegin, pane, [pane] { pane->setSilent(true); });
    }
    connect(Web1, &BrowserPane::beforeNavigate, this, &BA1::Web1_BeforeNavigate);
    connect(Web1, &BrowserPane::downloadComplete, this, &BA1::Web1_DownloadComplete);
    connect(Web1, &BrowserPane::navigateError, this, &BA1::Web1_NavigateError);
    connect(adweb, &BrowserPane::downloadComplete, this, &BA1::adweb_DownloadComplete);
    connect(adweb, &BrowserPane::navigateError, this, &BA1::adweb_NavigateError);

    // Who answers a right-click: our browser menu over the portal and its "velomain" frame,
    // and nothing over the other pages of the window (the game view and the list panel set
    // their own panes' rules).
    Web1->setMenuPolicy(BrowserPane::MenuPolicy::Client, {"velomain"});
    for (BrowserPane *pane : {Web4, Web5, adweb})
        pane->setMenuPolicy(BrowserPane::MenuPolicy::None);
    connect(Web1, &BrowserPane::contextMenuRequested, this,
            [this](const QString &, const QPoint &at) { emit browserMenuRequested(at); });
}

// Hidden by the boss key or to the tray, nobody sees the panes: their pages rest (a game
// stands still, the portal's own timers stop) until the window is shown again. Minimised, the
// window is still the player's (a spontaneous hide): games play on.
void BA1::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    for (BrowserPane *pane : panes())
        pane->setWindowHidden(true);
}

void BA1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    for (BrowserPane *pane : panes())
        pane->setWindowHidden(false);
}

void BA1::Web1_DownloadComplete()
{
    if (PortalError_ != 1) {
        zz[0]->show();
        zzer->hide();
        // A portal load while another tab shows must not cover that tab.
        if (QWidget *current = tabPage(CurrentTab_))
            current->raise();
    }
}

void BA1::Web1_NavigateError(const QString &url)
{
    if (!url.contains(portalBase_))
        return;
    zz[0]->hide();
    zzer->show();
    zzer->raise();
    webe->setText(QString::fromUtf8(kPortalErrorText));
    webe->adjustSize();
    PortalError_ = 1;
}

void BA1::adweb_DownloadComplete()
{
    if (AdFailed_ != 1)
        ad_pic->show();
}

void BA1::adweb_NavigateError(const QString &url)
{
    if (!url.contains(portalBase_))
        return;
    AdFailed_ = 1;
    ad_pic->hide();
}
