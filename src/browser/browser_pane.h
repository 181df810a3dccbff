#pragma once

#include "browser/web_schemes.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

class BrowserPage;
class PaneView;
class QWebEnginePage;

// One embedded browser pane. Everything the client asks of a pane and every event it
// answers goes through here; see BrowserPage for the navigation rules.
class BrowserPane : public QWidget {
    Q_OBJECT
public:
    // Browser: the engine's own menu. None: no menu at all. Client: the main document and
    // the named frames raise contextMenuRequested instead; other frames keep the engine's.
    enum class MenuPolicy { Browser, None, Client };

    explicit BrowserPane(QWidget *parent = nullptr);

    // address: an http(s) URL, an absolute local path possibly with "?query", "about:blank",
    // or a private link. beforeNavigate(address) is raised first, with exactly that text.
    void navigate(const QString &address);
    void refresh();
    void goBack();
    void goForward();
    void copy();
    void paste();

    // No dialog of any kind (alerts, confirmations, file choosers) while on.
    void setSilent(bool on);
    // While hidden, a frozen page runs no timers (the game stands still); false resumes it.
    // Asked while the pane is visible, it takes effect when the pane is hidden.
    void setFrozen(bool frozen);
    // The window holding the pane is hidden from the player (the boss key, the tray): the page
    // rests, frozen as a paused one, until the window shows again; a pause still holds then.
    void setWindowHidden(bool hidden);
    void setMenuPolicy(MenuPolicy policy, const QStringList &clientFrames = {});

    // The pane as the player sees it, the game included.
    QImage grabImage();
    QString address() const;
    QWebEnginePage *page() const;

signals:
    // Connected directly: *cancel = true cancels, and then nothing loads.
    void beforeNavigate(const QString &url, bool *cancel);
    void newWindow(bool *cancel);
    void downloadBegin();
    void downloadComplete();
    void navigateError(const QString &url);
    // href: the raw href attribute of the link under the pointer, "" over anything else.
    void contextMenuRequested(const QString &href, const QPoint &globalPos);
    // A page element (a game's own full-screen button) went full screen inside the pane, or
    // left it; the window may follow.
    void fullScreenChanged(bool on);
    // The request for the pane's next document has left (a local one's load has begun): work
    // that would have held it back on this thread can follow. Raised after downloadBegin.
    void documentRequested();

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyLifecycle();

    PaneView *view_;
    BrowserPage *page_;
    MenuPolicy menuPolicy_ = MenuPolicy::Browser;
    bool frozen_ = false;
    bool windowHidden_ = false;
};
