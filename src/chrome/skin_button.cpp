#include "chrome/skin_button.h"

#include "chrome/skin.h"

#include <QMouseEvent>
#include <QPainter>

SkinButton::SkinButton(const Skin &skin, SkinButtonId id, QWidget *parent)
    : QWidget(parent), skin_(skin), id_(id)
{
    setObjectName(id.objectName());
    setFixedSize(skinButtonSize(id));
    setMouseTracking(true);
    // Buttons never show the window's sizing pointer.
    setCursor(Qt::ArrowCursor);
}

void SkinButton::showFace(const Face &face)
{
    face_ = skin_.cut(face);
    update();
}

void SkinButton::showRestFace()
{
    if (const auto face = restFace(id_, faceState()))
        showFace(*face);
}

void SkinButton::showHoverFace()
{
    if (const auto face = hoverFace(id_, faceState()))
        showFace(*face);
}

ButtonFaceState SkinButton::faceState() const
{
    return {window()->isMaximized(), toggled_};
}

bool SkinButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !systemToolTipShown_)
        return true;
    return QWidget::event(event);
}

void SkinButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, face_);
}

void SkinButton::enterEvent(QEnterEvent *event) { hoverFeedback(event->position()); }

void SkinButton::leaveEvent(QEvent *) { hoverFeedback(QPointF(-1, -1)); }

void SkinButton::mouseMoveEvent(QMouseEvent *event) { hoverFeedback(event->position()); }

void SkinButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void SkinButton::hoverFeedback(QPointF pos)
{
    if (!isEnabled())
        return;
    const bool over = pos.x() >= 0 && pos.x() <= width() && pos.y() >= 0 && pos.y() <= height();
    if (!hoverRepaintAllowed_ || hoverRepaintAllowed_()) {
        if (over)
            showHoverFace();
        else
            showRestFace();
    }
    emit hovered(over);
}
