#pragma once

#include <QObject>
#include <QSize>
#include <QTimer>

#include <functional>

class QMouseEvent;
class QWidget;

// Moves and resizes a frameless window from its own surface (where no child control is):
// the sizing pointer over the 2-pixel edge band, the window manager's interactive move when
// the left button drags the inner surface, its interactive resize on a press on the band.
// Every press on the band of a window that is not maximised writes the outer size in twips
// to config.ini, and so does the end of the resize it starts: the window manager resizes
// after the press returns, so size changes are saved until the next press, release or
// button-less movement over the surface shows the resize is over.
class FrameMouseHandler : public QObject {
public:
    // Attaches to `window` (an event filter) and turns its mouse tracking on.
    explicit FrameMouseHandler(QWidget *window);

    // How interactive moves and resizes start; by default the window handle's
    // startSystemMove() and startSystemResize(edges). False: the window system refused.
    void setSystemMoveResize(std::function<bool()> move, std::function<bool(Qt::Edges)> resize);

    // Size changes after a resize has settled for this long are written once.
    void setSaveDelay(int milliseconds) { saveTimer_.setInterval(milliseconds); }

    // A resize started from the band has not been seen to end yet.
    bool resizeStarted() const { return resizeStarted_; }

    void Form_MouseMove(QMouseEvent *event);
    void Form_MouseDown(QMouseEvent *event);
    void Form_MouseUp(QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onOwnSurface(QMouseEvent *event) const;
    void endResize();
    void saveSize();

    QWidget *window_;
    std::function<bool()> startMove_;
    std::function<bool(Qt::Edges)> startResize_;
    bool pressOnSurface_ = false;
    bool resizeStarted_ = false;
    QTimer saveTimer_;
};
