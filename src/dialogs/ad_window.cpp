#include "dialogs/ad_window.h"

#include "browser/browser_pane.h"
#include "chrome/skin.h"
#include "chrome/click_label.h"
#include "shell/desktop_open.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>

AdWindowDelays &adWindowDelays()
{
    static AdWindowDelays delays;
    return delays;
}

namespace {

QRect availableScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

AdWindow::AdWindow(const Look &look, const QString &portalBase)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      pictureFromRight_(look.pictureFromRight)
{
    setObjectName(look.name);
    setWindowTitle("推荐");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(look.clientSize);

    Pc1 = new QWidget(this);
    Pc1->setObjectName("Pc1");
    Web1 = new BrowserPane(Pc1);
    Web1->setObjectName("Web1");
    Web1->setSilent(true);
    Web1->setMenuPolicy(BrowserPane::MenuPolicy::None);
    Picture1 = new ClickLabel(Pc1);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(skinPicture(look.closePicture));
    Picture1->resize(Picture1->pixmap().size());
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->hide();

    connect(Picture1, &ClickLabel::clicked, this, &QWidget::close);
    connect(Web1->page(), &QWebEnginePage::newWindowRequested, this, &AdWindow::Web1_NewWindowRequested);
    connect(Web1, &BrowserPane::newWindow, this, &AdWindow::Web1_NewWindow);
    QTimer::singleShot(adWindowDelays().closePicture, Picture1, [this] {
        Picture1->show();
        Picture1->raise();
    });
    Web1->navigate(portalBase + look.page);
}

void AdWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void AdWindow::Form_Resize()
{
    if (isMinimized())
        return;
    Pc1->setGeometry(rect());
    Web1->setGeometry(-2, -2, Pc1->width() + 4, Pc1->height() + 4);
    Picture1->move(Pc1->width() - pictureFromRight_.x(), pictureFromRight_.y());
}

// The engine first asks the pane for a window of the client's own (Web1_NewWindow), then, the
// pane having refused, reports the address the page asked for here; a private link the page
// opens never arrives here.
void AdWindow::Web1_NewWindowRequested(QWebEngineNewWindowRequest &request)
{
    if (!handedOver_)
        openInDesktopBrowser(request.requestedUrl());
    handedOver_ = true;
    leave();
}

void AdWindow::Web1_NewWindow(bool *cancel)
{
    // The desktop's browser shows the page instead.
    *cancel = true;
    leave();
}

void AdWindow::leave()
{
    if (isVisible())
        close();
}

adsb::adsb(const QString &portalBase)
    : AdWindow({"adsb", QSize(300, 250), "js/ads/fudong.html", SkinPictures::kAdClose, QPoint(18, 8)}, portalBase)
{
    const QRect screen = availableScreen();
    move(screen.x() + screen.width() - width() - 5, screen.y() + screen.height() - height() - 30);
}

ba4::ba4(const QString &portalBase)
    : AdWindow({"ba4", QSize(299, 248), "js/ads/tui.html", SkinPictures::kRecommendClose, QPoint(55, 5)},
               portalBase)
{
    move(availableScreen().center() - rect().center());
    QTimer::singleShot(adWindowDelays().recommendClose, this, &QWidget::close);
}
