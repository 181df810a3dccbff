#include "chrome/window_background.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>

QImage composeBackground(const QImage &ppt0, QSize client, const QList<SkinPiece> &pieces)
{
    // Pieces are placed in logical pixels; a template drawn at twice the pixels gives an
    // image at twice the pixels, cut from its own.
    const qreal ratio = ppt0.devicePixelRatio();
    QImage image(client * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(kBackgroundRed, kBackgroundGreen, kBackgroundBlue));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const SkinPiece &piece : pieces) {
        if (piece.target.isValid())
            painter.drawImage(piece.target, ppt0,
                              QRect(piece.source.topLeft() * ratio, piece.source.size() * ratio));
    }
    return image;
}

void apply_window_region(QWidget *window)
{
    QRegion shape;
    for (const QRect &row : roundedOutline(window->frameGeometry().size()))
        shape += row;
    window->setMask(shape);
    window->update();
}

WindowBackground::WindowBackground(QWidget *window, PieceLayout layout)
    : QObject(window), window_(window), layout_(layout)
{
    window->installEventFilter(this);
}

void WindowBackground::paint_background(const QImage &ppt0, QSize client)
{
    image_ = composeBackground(ppt0, client, layout_(client));
    window_->update();
    apply_window_region(window_);
}

bool WindowBackground::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && event->type() == QEvent::Paint && !image_.isNull()) {
        QPainter painter(window_);
        painter.drawImage(0, 0, image_);
    }
    return false;
}
