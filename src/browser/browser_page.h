#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineLoadingInfo;

// The navigation policy of a pane, in one place. Every navigation, whether the client asked
// for it or the page started it, raises beforeNavigate once before anything happens;
// a cancelled one loads nothing and leaves no trace (no history entry, no error page, no
// load events). Private links never load: the engine cannot show them.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit BrowserPage(QObject *parent);

    // The pane's navigate(): address as the client wrote it.
    void navigateTo(const QString &address);
    // The text of the current page's address.
    QString address() const;

    void setSilent(bool on) { silent_ = on; }
    bool isSilent() const { return silent_; }

signals:
    void beforeNavigate(const QString &url, bool *cancel);
    void newWindow(bool *cancel);
    void downloadBegin();
    void downloadComplete();
    void navigateError(const QString &url);
    void contextMenuReported(const QString &href);
    void fullScreenChanged(bool on);
    // The main frame's request for a new document has been sent (a redirect's again); for a
    // local document, its load has started. Queued: receivers run after the engine let it go.
    void documentRequested();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &origin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    bool raiseBeforeNavigate(const QString &text);
    bool isAnnounced(const QUrl &url) const;
    void followPrivateLink(const QString &text);
    void refuse(const QUrl &url);
    void onDocumentReport(const QString &kind, const QString &text);
    void onLoadingChanged(const QWebEngineLoadingInfo &info);

    bool silent_ = false;
    bool deciding_ = false;  // inside acceptNavigationRequest
    QUrl announcedUrl_;      // the last load navigateTo() started
    QString announcedText_;  // ... and the client's text for it
    bool refusing_ = false;  // a main-frame navigation was refused ...
    QString refusedUrl_;     // ... to this URL: its load events are dropped
};
