// Silent panes, panes resting while the window is hidden, the portal error panel, the ad
// strip's failure and the context-menu routing.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"

#include "chrome/click_label.h"

#include <QHideEvent>
#include <QShowEvent>

namespace {
const char kPortalErrorText[] =
    "Error！出错了\r\n\r\n1.请检查你的网络连接\r\n\r\n2.软件网络出现了故障\r\n\r\n"
    "3.请点此尝试重新连接\r\n\r\n4.请尝试重新启动软件\r\n\r\n";
} // namespace

QList<BrowserPane *> BA1::panes() const { return {Web1, Web2, Webr, Web3, Web4, Web5, adweb}; }

void BA1::connectPaneEvents()
{
    for (BrowserPane *pane : panes()) {
        connect(pane, &BrowserPane::downloadBegin, pane, [pane] { pane->setSilent(true); });
    }
    connect(Web1, &BrowserPane::beforeNavigate, this, &BA1::Web1_BeforeNavigate);
    connect(Web2, &BrowserPane::beforeNavigate, this, &BA1::Web2_BeforeNavigate);
    connect(Web2, &BrowserPane::newWindow, this, &BA1::Web2_NewWindow);
    connect(Web2, &BrowserPane::documentRequested, this, &BA1::finishGameOpening);
    connect(Web3, &BrowserPane::beforeNavigate, this, &BA1::Web3_BeforeNavigate);
    connect(Web1, &BrowserPane::downloadComplete, this, &BA1::Web1_DownloadComplete);
    connect(Web1, &BrowserPane::navigateError, this, &BA1::Web1_NavigateError);
    connect(adweb, &BrowserPane::downloadComplete, this, &BA1::adweb_DownloadComplete);
    connect(adweb, &BrowserPane::navigateError, this, &BA1::adweb_NavigateError);

    // Who answers a right-click: our browser menu over the portal and its "velomain" frame,
    // the entry menu over the list page, the engine's own (or the game's) over the game pane,
    // and nothing anywhere else.
    Web1->setMenuPolicy(BrowserPane::MenuPolicy::Client, {"velomain"});
    Web2->setMenuPolicy(BrowserPane::MenuPolicy::Browser);
    Web3->setMenuPolicy(BrowserPane::MenuPolicy::Client);
    for (BrowserPane *pane : {Web4, Web5, Webr, adweb})
        pane->setMenuPolicy(BrowserPane::MenuPolicy::None);
    connect(Web1, &BrowserPane::contextMenuRequested, this,
            [this](const QString &, const QPoint &at) { popupBrowserMenu(at); });
    connect(Web3, &BrowserPane::contextMenuRequested, this, &BA1::Web3_ContextMenu);
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
    if (PortalError != 1) {
        zz[0]->show();
        zzer->hide();
        // A portal load while another tab shows must not cover that tab.
        if (QWidget *current = tabPage(CurrentTab))
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
    PortalError = 1;
}

void BA1::adweb_DownloadComplete()
{
    if (AdFailed != 1)
        ad_pic->show();
}

void BA1::adweb_NavigateError(const QString &url)
{
    if (!url.contains(portalBase_))
        return;
    AdFailed = 1;
    ad_pic->hide();
}
