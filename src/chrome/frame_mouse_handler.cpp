#include "chrome/frame_mouse_handler.h"

#include "chrome/frame_mouse.h"
#include "chrome/window_size.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kDefaultSaveDelayMs = 250;

} // namespace

FrameMouseHandler::FrameMouseHandler(QWidget *window) : QObject(window), window_(window)
{
    startMove_ = [this] { return window_->windowHandle() && window_->windowHandle()->startSystemMove(); };
    startResize_ = [this](Qt::Edges edges) {
        return window_->windowHandle() && window_->windowHandle()->startSystemResize(edges);
    };
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(kDefaultSaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, &FrameMouseHandler::saveSize);
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

void FrameMouseHandler::setSystemMoveResize(std::function<bool()> move, std::function<bool(Qt::Edges)> resize)
{
    startMove_ = std::move(move);
    startResize_ = std::move(resize);
}

bool FrameMouseHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        Form_MouseMove(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonPress:
        Form_MouseDown(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        Form_MouseUp(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::Resize:
        if (resizeStarted_ && !window_->isMaximized())
            saveTimer_.start();
        break;
    default:
        break;
    }
    return false;
}

// Events a child control ignored reach the window too; only the window's own surface counts.
// While a button is held, the press decides.
bool FrameMouseHandler::onOwnSurface(QMouseEvent *event) const
{
    if (event->buttons() != Qt::NoButton && event->type() == QEvent::MouseMove)
        return pressOnSurface_;
    return window_->childAt(event->position().toPoint()) == nullptr;
}

void FrameMouseHandler::Form_MouseMove(QMouseEvent *event)
{
    if (!onOwnSurface(event))
        return;
    if (event->buttons() == Qt::NoButton)
        endResize();
    const FrameMouseAction action =
        mouseMoveAction(event->position(), event->buttons(), window_->size(), window_->isMaximized());
    if (action.cursor)
        window_->setCursor(*action.cursor);
    if (action.startMove)
        startMove_();
}

void FrameMouseHandler::Form_MouseDown(QMouseEvent *event)
{
    pressOnSurface_ = window_->childAt(event->position().toPoint()) == nullptr;
    if (!pressOnSurface_)
        return;
    endResize();
    const FrameMouseAction action = mousePressAction(event->position(), window_->size(), window_->isMaximized());
    if (action.cursor)
        window_->setCursor(*action.cursor);
    if (!action.resizeEdges)
        return;
    resizeStarted_ = startResize_(action.resizeEdges);
    if (action.saveSize)
        saveSize();
}

void FrameMouseHandler::Form_MouseUp(QMouseEvent *event)
{
    const bool own = pressOnSurface_ || window_->childAt(event->position().toPoint()) == nullptr;
    pressOnSurface_ = false;
    if (!own)
        return;
    window_->setCursor(*edge_mouse(EdgeMouseMode::Release, event->position(), window_->size()).cursor);
    endResize();
}

void FrameMouseHandler::endResize()
{
    if (!resizeStarted_)
        return;
    resizeStarted_ = false;
    if (saveTimer_.isActive()) {
        saveTimer_.stop();
        saveSize();
    }
}

void FrameMouseHandler::saveSize()
{
    if (!window_->isMaximized())
        saveWindowSize(window_->frameGeometry().size());
}
