#include "pictures.h"

#include "glyphs.h"
#include "style.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// w × h logical pixels at the given scale: a painter on it draws in logical pixels.
QImage transparentImage(int w, int h, int scale = 1)
{
    QImage image(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage drawRetryPicture(int scale)
{
    QImage image = transparentImage(204, 153, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A cloud with a turning arrow: the page did not come, try again.
    QPainterPath cloud;
    cloud.addEllipse(QRectF(38, 42, 56, 50));
    cloud.addEllipse(QRectF(70, 18, 68, 68));
    cloud.addEllipse(QRectF(116, 40, 52, 52));
    cloud.addRoundedRect(QRectF(50, 62, 106, 34), 17, 17);
    QLinearGradient sky(0, 18, 0, 96);
    sky.setColorAt(0, QColor(236, 248, 255));
    sky.setColorAt(1, QColor(204, 234, 252));
    p.setPen(QPen(QColor(130, 196, 236), 2));
    p.setBrush(sky);
    p.drawPath(united(cloud));
    drawGlyph(p, Glyph::Replay, QRectF(78, 32, 50, 50), QColor(34, 146, 218));

    style::drawText(p, QRectF(0, 108, 204, 28), QString::fromUtf8("点击重试"), style::uiFont(20),
                    QColor(34, 130, 200));
    p.setPen(QPen(QColor(170, 214, 240), 1));
    p.drawLine(QPointF(52, 142.5), QPointF(152, 142.5));
    return image;
}

QImage drawBullet(int scale)
{
    QImage image = transparentImage(6, 6, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient dot(QPointF(2.4, 2.2), 3.4);
    dot.setColorAt(0, QColor(120, 206, 250));
    dot.setColorAt(1, QColor(24, 126, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawEllipse(QRectF(0, 0, 6, 6));
    return image;
}

QImage drawAdClosePicture(int scale)
{
    QImage image = transparentImage(11, 11, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60, 210));
    p.drawRoundedRect(QRectF(0, 0, 11, 11), 2, 2);
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(8, 8));
    p.drawLine(QPointF(8, 3), QPointF(3, 8));
    return image;
}

QImage drawRecommendClosePicture(int scale)
{
    QImage image = transparentImage(51, 21, scale);
    QPainter p(&image);
    style::drawChip(p, QRect(0, 0, 51, 21), false, 5);
    drawGlyph(p, Glyph::Close, QRectF(5, 3, 14, 14), style::kToolInk);
    style::drawText(p, QRectF(19, 0, 28, 21), QString::fromUtf8("关闭"), style::uiFont(12), style::kToolText);
    return image;
}

QImage drawProgramIcon(int size)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    drawLogo(p, QRectF(0, 0, size, size));
    return image;
}

QImage drawDeleteIcon()
{
    // Two colours on transparency, no smoothing: it is stored with a four-colour palette.
    QImage image = transparentImage(10, 10);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 48, 40));
    p.drawEllipse(QRect(0, 0, 10, 10));
    for (int i = 0; i < 4; ++i) {
        image.setPixel(3 + i, 3 + i, qRgb(255, 255, 255));
        image.setPixel(6 - i, 3 + i, qRgb(255, 255, 255));
    }
    return image;
}
