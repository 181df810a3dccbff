#include "glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QPen strokePen(const QColor &ink, qreal width)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(corners));
    path.closeSubpath();
    return path;
}

QPainterPath circle(QPointF centre, qreal r)
{
    QPainterPath path;
    path.addEllipse(centre, r, r);
    return path;
}

void drawPin(QPainter &p, const QColor &ink, qreal degrees)
{
    p.save();
    p.translate(8, 8);
    p.rotate(degrees);
    p.translate(-8, -8);
    QPainterPath pin = polygon({{6, 3.5}, {10, 3.5}, {11, 8.5}, {5, 8.5}});
    pin.addRect(5, 1.5, 6, 2);
    pin.addRect(3, 8.5, 10, 2);
    pin.addRect(7.25, 10.5, 1.5, 4.5);
    p.fillPath(united(pin), ink);
    p.restore();
}

void drawArrowArc(QPainter &p, const QColor &ink, QPointF centre, qreal r, qreal width)
{
    const QRectF bounds(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(bounds, 100 * 16, 290 * 16);
    // Arrow head at the arc's start (100°), pointing along the clockwise turn.
    const qreal a = 100 * M_PI / 180;
    const QPointF tip(centre.x() + r * std::cos(a), centre.y() - r * std::sin(a));
    p.fillPath(polygon({tip + QPointF(1.3 * width, 0), tip + QPointF(-1.6 * width, -1.7 * width),
                        tip + QPointF(-1.6 * width, 1.7 * width)}),
               ink);
}

void drawGlyphOnGrid(QPainter &p, Glyph glyph, const QColor &ink)
{
    switch (glyph) {
    case Glyph::Skin: {
        // The collar is cut out of the shirt's outline.
        const QPainterPath shirt = polygon({{5, 2}, {1.5, 4.5}, {3, 7.5}, {4.5, 6.8}, {4.5, 14}, {11.5, 14},
                                            {11.5, 6.8}, {13, 7.5}, {14.5, 4.5}, {11, 2}});
        QPainterPath collar;
        collar.moveTo(5, 1);
        collar.lineTo(5, 2);
        collar.cubicTo(6, 4, 10, 4, 11, 2);
        collar.lineTo(11, 1);
        collar.closeSubpath();
        p.fillPath(shirt.subtracted(collar), ink);
        break;
    }
    case Glyph::Menu:
        for (int y : {3, 7, 11})
            p.fillRect(QRectF(3, y, 10, 2), ink);
        break;
    case Glyph::Minimise:
        p.fillRect(QRectF(3, 11, 10, 2), ink);
        break;
    case Glyph::Maximise:
        p.fillRect(QRectF(3, 3, 10, 2), ink);
        p.fillRect(QRectF(3, 5, 1, 8), ink);
        p.fillRect(QRectF(12, 5, 1, 8), ink);
        p.fillRect(QRectF(3, 12, 10, 1), ink);
        break;
    case Glyph::Restore:
        // The back window shows only where the front one does not cover it.
        p.fillRect(QRectF(5, 2, 9, 2), ink);
        p.fillRect(QRectF(13, 4, 1, 7), ink);
        p.fillRect(QRectF(5, 4, 1, 1), ink);
        p.fillRect(QRectF(11, 10, 2, 1), ink);
        p.fillRect(QRectF(2, 5, 9, 2), ink);
        p.fillRect(QRectF(2, 7, 1, 7), ink);
        p.fillRect(QRectF(10, 7, 1, 7), ink);
        p.fillRect(QRectF(2, 13, 9, 1), ink);
        break;
    case Glyph::Close:
        p.setPen(strokePen(ink, 2));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Pin:
        drawPin(p, ink, 45);
        break;
    case Glyph::Pinned:
        drawPin(p, ink, 0);
        break;
    case Glyph::Catalogue:
        for (qreal x : {1.5, 8.5})
            for (qreal y : {1.5, 8.5}) {
                QPainterPath square;
                square.addRoundedRect(QRectF(x, y, 6, 6), 1.4, 1.4);
                p.fillPath(square, ink);
            }
        break;
    case Glyph::Gamepad: {
        QPainterPath body;
        body.moveTo(4.5, 4);
        body.lineTo(11.5, 4);
        body.cubicTo(14.5, 4, 15.8, 8, 15.5, 11);
        body.cubicTo(15.3, 13.5, 13, 14, 11.8, 12);
        body.lineTo(10.5, 10.5);
        body.lineTo(5.5, 10.5);
        body.lineTo(4.2, 12);
        body.cubicTo(3, 14, 0.7, 13.5, 0.5, 11);
        body.cubicTo(0.2, 8, 1.5, 4, 4.5, 4);
        body.closeSubpath();
        QPainterPath cuts;
        cuts.addRect(2.9, 6.9, 3.6, 1.3);
        cuts.addRect(4.05, 5.75, 1.3, 3.6);
        cuts.addPath(circle({11.2, 6.7}, 0.9));
        cuts.addPath(circle({12.7, 8.3}, 0.9));
        p.fillPath(body.subtracted(united(cuts)), ink);
        break;
    }
    case Glyph::MyGames: {
        const QPainterPath folder = polygon({{1, 3}, {6, 3}, {7.5, 4.5}, {15, 4.5}, {15, 14}, {1, 14}});
        p.fillPath(folder.subtracted(starPath({8, 9.6}, 3.8, 1.6)), ink);
        break;
    }
    case Glyph::Globe:
        p.setPen(strokePen(ink, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 6.3, 6.3);
        p.drawEllipse(QPointF(8, 8), 2.7, 6.3);
        p.drawLine(QPointF(1.7, 8), QPointF(14.3, 8));
        p.drawLine(QPointF(3, 4.6), QPointF(13, 4.6));
        p.drawLine(QPointF(3, 11.4), QPointF(13, 11.4));
        break;
    case Glyph::Music: {
        QPainterPath notes = polygon({{5.3, 3.6}, {13.6, 1.6}, {13.6, 4.1}, {5.3, 6.1}}); // the beam
        notes.addEllipse(QRectF(1.8, 10.6, 4.8, 3.4));
        notes.addEllipse(QRectF(8.8, 9.1, 4.8, 3.4));
        notes.addRect(5.3, 3.6, 1.3, 8.8);
        notes.addRect(12.3, 2.1, 1.3, 8.8);
        p.fillPath(united(notes), ink);
        break;
    }
    case Glyph::Replay:
        drawArrowArc(p, ink, {8, 8.5}, 5, 2);
        break;
    case Glyph::Star:
        p.fillPath(starPath({8, 8.6}, 7, 3), ink);
        break;
    case Glyph::Camera: {
        QPainterPath camera;
        camera.addRoundedRect(QRectF(1, 4.5, 14, 9), 1.6, 1.6);
        camera.addRect(5, 2.5, 6, 2.5);
        QPainterPath shape = united(camera).subtracted(circle({8, 9}, 3.2));
        shape.addPath(circle({8, 9}, 1.7));
        p.fillPath(shape, ink);
        break;
    }
    case Glyph::Download: {
        QPainterPath arrow = polygon({{3.5, 7}, {12.5, 7}, {8, 11.5}});
        arrow.addRect(7, 1.5, 2, 6);
        arrow.addRect(2, 13, 12, 2);
        p.fillPath(united(arrow), ink);
        break;
    }
    case Glyph::FullScreen:
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({{2, 6}, {2, 2}, {6, 2}}));
        p.drawPolyline(QPolygonF({{10, 2}, {14, 2}, {14, 6}}));
        p.drawPolyline(QPolygonF({{14, 10}, {14, 14}, {10, 14}}));
        p.drawPolyline(QPolygonF({{6, 14}, {2, 14}, {2, 10}}));
        break;
    case Glyph::Pause:
        p.fillRect(QRectF(4, 2, 3, 12), ink);
        p.fillRect(QRectF(9, 2, 3, 12), ink);
        break;
    case Glyph::Play: {
        p.fillPath(polygon({{4, 2}, {13.5, 8}, {4, 14}}), ink);
        break;
    }
    case Glyph::Speaker:
    case Glyph::SpeakerMuted: {
        p.fillPath(polygon({{1, 5.5}, {4, 5.5}, {8, 2}, {8, 14}, {4, 10.5}, {1, 10.5}}), ink);
        p.setPen(strokePen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        if (glyph == Glyph::Speaker) {
            p.drawArc(QRectF(6.5, 5, 6, 6), -55 * 16, 110 * 16);
            p.drawArc(QRectF(5, 2, 10, 12), -55 * 16, 110 * 16);
        } else {
            p.drawLine(QPointF(10.5, 5.5), QPointF(15, 10.5));
            p.drawLine(QPointF(15, 5.5), QPointF(10.5, 10.5));
        }
        break;
    }
    case Glyph::ChevronRight:
    case Glyph::ChevronLeft: {
        p.setPen(strokePen(ink, 2.2));
        p.setBrush(Qt::NoBrush);
        const qreal back = glyph == Glyph::ChevronRight ? 6 : 10;
        const qreal point = glyph == Glyph::ChevronRight ? 10.5 : 5.5;
        p.drawPolyline(QPolygonF({{back, 3}, {point, 8}, {back, 13}}));
        break;
    }
    }
}

} // namespace

QPainterPath united(QPainterPath path)
{
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &ink)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 16, box.height() / 16);
    drawGlyphOnGrid(p, glyph, ink);
    p.restore();
}

void drawLogo(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = std::min(box.width(), box.height()) / 16;
    const QRectF tile = box.adjusted(unit * 0.25, unit * 0.25, -unit * 0.25, -unit * 0.25);
    QLinearGradient orange(tile.topLeft(), tile.bottomLeft());
    orange.setColorAt(0, QColor(255, 204, 72));
    orange.setColorAt(1, QColor(244, 124, 26));
    p.setPen(box.width() >= 24 ? QPen(QColor(196, 92, 10), unit * 0.4) : Qt::NoPen);
    p.setBrush(orange);
    p.drawRoundedRect(tile, unit * 3.2, unit * 3.2);

    const bool detailed = box.width() >= 24;
    // The "T", set a little left when there is room for the buttons beside it.
    const qreal cx = tile.center().x() - (detailed ? unit * 1.6 : 0);
    const qreal top = tile.top() + tile.height() * 0.22;
    const qreal barWidth = tile.width() * (detailed ? 0.5 : 0.7);
    const qreal stroke = std::max<qreal>(tile.height() * 0.2, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(cx - barWidth / 2, top, barWidth, stroke), stroke * 0.3, stroke * 0.3);
    p.drawRoundedRect(QRectF(cx - stroke / 2, top, stroke, tile.bottom() - tile.height() * 0.18 - top),
                      stroke * 0.3, stroke * 0.3);
    if (detailed) {
        const qreal r = unit * 1.25;
        p.setBrush(QColor(34, 146, 218));
        p.drawEllipse(QPointF(tile.right() - unit * 3.2, tile.center().y() - unit * 1.4), r, r);
        p.setBrush(QColor(62, 180, 90));
        p.drawEllipse(QPointF(tile.right() - unit * 4.6, tile.center().y() + unit * 1.8), r, r);
    }
    p.restore();
}
