#include "browser/browser_page.h"

#include "browser/address_text.h"
#include "browser/browser_pane.h"
#include "browser/page_bridge.h"
#include "browser/web_profile.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineUrlRequestInterceptor>

namespace {

// Tells the page when one of its main-frame requests leaves; changes nothing about any request.
class DocumentRequestWatch : public QWebEngineUrlRequestInterceptor {
public:
    explicit DocumentRequestWatch(BrowserPage *page) : QWebEngineUrlRequestInterceptor(page), page_(page) {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            QMetaObject::invokeMethod(page_, &BrowserPage::documentRequested, Qt::QueuedConnection);
    }

private:
    BrowserPage *page_;
};

} // namespace

BrowserPage::BrowserPage(QObject *parent) : QWebEnginePage(sharedWebProfile(), parent)
{
    auto *bridge = new PageBridge(this);
    auto *channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("pane"), bridge);
    setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    connect(bridge, &PageBridge::reported, this, &BrowserPage::onDocumentReport);
    connect(this, &QWebEnginePage::loadingChanged, this, &BrowserPage::onLoadingChanged);
    setUrlRequestInterceptor(new DocumentRequestWatch(this));

    // No prompt of any kind: whatever a page asks for is refused, except full screen for
    // a game's own full-screen button.
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        request.accept();
        emit fullScreenChanged(request.toggleOn());
    });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
}

bool BrowserPage::raiseBeforeNavigate(const QString &text)
{
    bool cancel = false;
    emit beforeNavigate(text, &cancel);
    return !cancel;
}

// An uncancelled private link: the engine cannot load it, so the pane reports the failure
// as a browser would, and the page stays as it was.
void BrowserPage::followPrivateLink(const QString &text)
{
    if (raiseBeforeNavigate(text))
        emit navigateError(text);
}

void BrowserPage::navigateTo(const QString &address)
{
    if (!raiseBeforeNavigate(address))
        return;
    if (isPrivateLink(address)) {
        emit navigateError(address);
        return;
    }
    const QUrl url = addressToUrl(address);
    announcedUrl_ = url;
    announcedText_ = address;
    // A handler that navigates this pane from inside one of its own navigation decisions
    // gets its load once the engine has left that decision.
    if (deciding_)
        QTimer::singleShot(0, this, [this, url] { load(url); });
    else
        load(url);
}

// The engine may spell the URL of a loaded address a little differently ("http://h" loads as
// "http://h/"); the client's own text is the one to give back.
bool BrowserPage::isAnnounced(const QUrl &url) const
{
    return !announcedText_.isEmpty() && url.matches(announcedUrl_, QUrl::StripTrailingSlash);
}

QString BrowserPage::address() const
{
    const QUrl current = url();
    if (isAnnounced(current))
        return announcedText_;
    return urlToAddress(current);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (isPrivateScheme(url.scheme())) {
        // Only reaches here when the document script could not stop it first; the text is
        // then what is left of the link after the engine's rewrite.
        if (isMainFrame)
            refuse(url);
        followPrivateLink(engineLinkText(url));
        return false;
    }
    // Loads the pane started itself (navigateTo raised the event), the client's own reload
    // and the server's redirects belong to navigations already announced.
    if ((isMainFrame && type == NavigationTypeTyped) || type == NavigationTypeReload ||
        type == NavigationTypeRedirect)
        return true;

    deciding_ = true;
    const bool go = raiseBeforeNavigate(url.toString(QUrl::FullyEncoded));
    deciding_ = false;
    if (!go && isMainFrame)
        refuse(url);
    return go;
}

void BrowserPage::onDocumentReport(const QString &kind, const QString &text)
{
    if (kind == QLatin1String("navigate")) {
        followPrivateLink(text);
    } else if (kind == QLatin1String("newWindow")) {
        bool cancel = false;
        emit newWindow(&cancel);
        if (!cancel)
            followPrivateLink(text);
    } else if (kind == QLatin1String("contextMenu")) {
        emit contextMenuReported(text);
    } else if (kind == QLatin1String("frameError")) {
        emit navigateError(text);
    }
}

// The engine still starts and stops a load for a navigation refused; the client must not
// see it. Compared as text: a private link's URL may be invalid, and so empty.
void BrowserPage::refuse(const QUrl &url)
{
    refusing_ = true;
    refusedUrl_ = url.toString(QUrl::FullyEncoded);
}

void BrowserPage::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (refusing_ && info.url().toString(QUrl::FullyEncoded) == refusedUrl_) {
        if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            refusing_ = false;
        return;
    }
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        emit downloadBegin();
        // A local document asks no server: nothing to wait for (web ones: DocumentRequestWatch).
        if (!isWebUrl(info.url()))
            QMetaObject::invokeMethod(this, &BrowserPage::documentRequested, Qt::QueuedConnection);
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        emit navigateError(isAnnounced(info.url()) ? announcedText_
                                                   : info.url().toString(QUrl::FullyEncoded));
        emit downloadComplete();
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        emit downloadComplete();
        break;
    }
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType)
{
    bool cancel = false;
    emit newWindow(&cancel);
    if (cancel)
        return nullptr;
    // An allowed pop-up is a browser window of its own that closes when the page asks.
    auto *popup = new BrowserPane;
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setSilent(silent_);
    popup->resize(800, 600);
    connect(popup->page(), &QWebEnginePage::windowCloseRequested, popup, &QWidget::close);
    popup->show();
    return popup->page();
}

void BrowserPage::javaScriptAlert(const QUrl &origin, const QString &msg)
{
    if (!silent_)
        QWebEnginePage::javaScriptAlert(origin, msg);
}

// The engine asks its leave-page question (a page's beforeunload) through here as well. Silent,
// the answer is "leave": otherwise a game page could keep the client from opening the next one.
bool BrowserPage::javaScriptConfirm(const QUrl &origin, const QString &msg)
{
    if (!silent_)
        return QWebEnginePage::javaScriptConfirm(origin, msg);
    static const QString leavePageQuestion = QCoreApplication::translate(
        "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
    return msg == leavePageQuestion;
}

bool BrowserPage::javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                                   QString *result)
{
    return silent_ ? false : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
}

QStringList BrowserPage::chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                                     const QStringList &acceptedMimeTypes)
{
    return silent_ ? QStringList() : QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                           const QString &)
{
    // Page scripts' console output is not the player's business.
}
