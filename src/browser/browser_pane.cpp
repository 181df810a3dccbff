#include "browser/browser_pane.h"

#include "browser/browser_page.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

// The engine's view with the menu policy's last word: a pane without menus shows none even
// where the document script could not stop the engine's.
class PaneView : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;
    bool menusAllowed = true;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        if (menusAllowed)
            QWebEngineView::contextMenuEvent(event);
        else
            event->accept();
    }
};

namespace {
const char kMenuPolicyScript[] = "tamsa-menu-policy";
// Time enough for a hidden page's renderer to stop drawing.
constexpr int kFreezeAfterHideMs = 500;

QString menuPolicySource(BrowserPane::MenuPolicy policy, const QStringList &clientFrames)
{
    const char *mode = policy == BrowserPane::MenuPolicy::Client ? "client"
                       : policy == BrowserPane::MenuPolicy::None ? "none"
                                                                 : "browser";
    const QJsonObject value{{"mode", mode}, {"frames", QJsonArray::fromStringList(clientFrames)}};
    return "window.tamsaMenuPolicy = " +
           QString::fromUtf8(QJsonDocument(value).toJson(QJsonDocument::Compact)) + ";";
}
} // namespace

BrowserPane::BrowserPane(QWidget *parent)
    : QWidget(parent), view_(new PaneView(this)), page_(new BrowserPage(view_))
{
    view_->setPage(page_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    connect(page_, &BrowserPage::beforeNavigate, this, &BrowserPane::beforeNavigate);
    connect(page_, &BrowserPage::newWindow, this, &BrowserPane::newWindow);
    connect(page_, &BrowserPage::downloadBegin, this, &BrowserPane::downloadBegin);
    connect(page_, &BrowserPage::downloadComplete, this, &BrowserPane::downloadComplete);
    connect(page_, &BrowserPage::navigateError, this, &BrowserPane::navigateError);
    connect(page_, &BrowserPage::fullScreenChanged, this, &BrowserPane::fullScreenChanged);
    connect(page_, &BrowserPage::documentRequested, this, &BrowserPane::documentRequested);
    connect(page_, &BrowserPage::contextMenuReported, this, [this](const QString &href) {
        if (menuPolicy_ == MenuPolicy::Client)
            emit contextMenuRequested(href, QCursor::pos());
    });
}

void BrowserPane::navigate(const QString &address) { page_->navigateTo(address); }
void BrowserPane::refresh() { page_->triggerAction(QWebEnginePage::Reload); }
void BrowserPane::goBack() { page_->triggerAction(QWebEnginePage::Back); }
void BrowserPane::goForward() { page_->triggerAction(QWebEnginePage::Forward); }
void BrowserPane::copy() { page_->triggerAction(QWebEnginePage::Copy); }
void BrowserPane::paste() { page_->triggerAction(QWebEnginePage::Paste); }
void BrowserPane::setSilent(bool on) { page_->setSilent(on); }

void BrowserPane::setFrozen(bool frozen)
{
    frozen_ = frozen;
    applyLifecycle();
}

void BrowserPane::setWindowHidden(bool hidden)
{
    windowHidden_ = hidden;
    applyLifecycle();
}

// The engine freezes only pages it no longer shows, so the state follows the pane's
// visibility once the view has taken in its own hide or show. A page frozen before its
// renderer has taken in the hide keeps asking for frames: a game hidden while it animated
// kept the engine's compositor at work all the while it rested.
void BrowserPane::applyLifecycle()
{
    const bool resting = (frozen_ || windowHidden_) && !isVisible();
    QTimer::singleShot(resting ? kFreezeAfterHideMs : 0, page_, [this] {
        const auto wanted = (frozen_ || windowHidden_) && !isVisible() ? QWebEnginePage::LifecycleState::Frozen
                                                                       : QWebEnginePage::LifecycleState::Active;
        if (page_->lifecycleState() != wanted)
            page_->setLifecycleState(wanted);
    });
}

void BrowserPane::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    applyLifecycle();
}

void BrowserPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyLifecycle();
}

void BrowserPane::setMenuPolicy(MenuPolicy policy, const QStringList &clientFrames)
{
    menuPolicy_ = policy;
    view_->menusAllowed = policy != MenuPolicy::None;
    // Documents loaded from now on read the policy from their own script world; the one
    // shown now gets it directly. A page that has shown none has no renderer process yet
    // and should not start one for this.
    const QString source = menuPolicySource(policy, clientFrames);
    QWebEngineScriptCollection &scripts = page_->scripts();
    for (const QWebEngineScript &old : scripts.find(kMenuPolicyScript))
        scripts.remove(old);
    QWebEngineScript script;
    script.setName(kMenuPolicyScript);
    script.setSourceCode(source);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    scripts.insert(script);
    if (!page_->url().isEmpty())
        page_->runJavaScript(source, QWebEngineScript::ApplicationWorld);
}

QImage BrowserPane::grabImage() { return grab().toImage(); }
QString BrowserPane::address() const { return page_->address(); }
QWebEnginePage *BrowserPane::page() const { return page_; }
