#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class BrowserPane;
class ClickLabel;
class QWebEngineNewWindowRequest;

// The delays of both windows, in milliseconds. The client keeps these; tests shorten them.
struct AdWindowDelays {
    int closePicture = 2000;    // shown → the close picture
    int recommendClose = 20000; // the recommendation window closes itself
};
AdWindowDelays &adWindowDelays();

// A small always-on-top window onto one portal page: the ad window `adsb` and the
// recommendation window `ba4`. The silent pane `Web1` is a little larger than the window, so its
// own border lies outside; the close picture `Picture1` shows after a delay. The window closes
// on the picture, or when its page asks for a new window: the address then goes to the
// desktop's browser, once however many windows the page asks for. Each deletes itself on close.
class AdWindow : public QWidget {
    Q_OBJECT
public:
    struct Look {
        const char *name;
        QSize clientSize;
        const char *page;         // under the portal base URL
        const char *closePicture; // resource
        QPoint pictureFromRight;  // distance of the picture's left from the right edge, top
    };

    QWidget *Pc1 = nullptr;
    BrowserPane *Web1 = nullptr;
    ClickLabel *Picture1 = nullptr;

protected:
    AdWindow(const Look &look, const QString &portalBase);
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
    void Web1_NewWindowRequested(QWebEngineNewWindowRequest &request);
    void Web1_NewWindow(bool *cancel);
    void leave();

    QPoint pictureFromRight_;
    bool handedOver_ = false; // the desktop was given the address of a new window
};

// The ad window in the bottom right corner of the screen, shown once per run by the main
// window when the version file asks for it; closed by the player, the boss key or the exit.
class adsb : public AdWindow {
    Q_OBJECT
public:
    explicit adsb(const QString &portalBase);
};

// The recommendation window, centred, shown by the exit instead of ending: it keeps the program
// running until it closes, by itself after a while at the latest.
class ba4 : public AdWindow {
    Q_OBJECT
public:
    explicit ba4(const QString &portalBase);
};
