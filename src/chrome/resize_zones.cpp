#include "chrome/resize_zones.h"

namespace {

constexpr double kBand = 2;

} // namespace

ResizeZone resizeZoneAt(QPointF pos, QSize client)
{
    const double x = pos.x();
    const double y = pos.y();
    const double right = client.width() - kBand;
    const double bottom = client.height() - kBand;
    if (x >= right) {
        if (y <= kBand)
            return ResizeZone::TopRight;
        return y >= bottom ? ResizeZone::BottomRight : ResizeZone::Right;
    }
    if (x > kBand) {
        if (y <= kBand)
            return ResizeZone::Top;
        return y >= bottom ? ResizeZone::Bottom : ResizeZone::Inside;
    }
    if (y <= kBand)
        return ResizeZone::TopLeft;
    return y >= bottom ? ResizeZone::BottomLeft : ResizeZone::Left;
}

Qt::Edges resizeEdges(ResizeZone zone)
{
    switch (zone) {
    case ResizeZone::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case ResizeZone::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    case ResizeZone::Right: return Qt::RightEdge;
    case ResizeZone::Top: return Qt::TopEdge;
    case ResizeZone::Bottom: return Qt::BottomEdge;
    case ResizeZone::Inside: return {};
    case ResizeZone::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case ResizeZone::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case ResizeZone::Left: return Qt::LeftEdge;
    }
    return {};
}

Qt::CursorShape zoneCursor(ResizeZone zone)
{
    switch (zone) {
    case ResizeZone::TopRight:
    case ResizeZone::BottomLeft:
        return Qt::SizeBDiagCursor;
    case ResizeZone::BottomRight:
    case ResizeZone::TopLeft:
        return Qt::SizeFDiagCursor;
    case ResizeZone::Right:
    case ResizeZone::Left:
        return Qt::SizeHorCursor;
    case ResizeZone::Top:
    case ResizeZone::Bottom:
        return Qt::SizeVerCursor;
    case ResizeZone::Inside:
        return Qt::ArrowCursor;
    }
    return Qt::ArrowCursor;
}

int hitTestCode(ResizeZone zone)
{
    switch (zone) {
    case ResizeZone::Left: return 10;
    case ResizeZone::Right: return 11;
    case ResizeZone::Top: return 12;
    case ResizeZone::TopLeft: return 13;
    case ResizeZone::TopRight: return 14;
    case ResizeZone::Bottom: return 15;
    case ResizeZone::BottomLeft: return 16;
    case ResizeZone::BottomRight: return 17;
    case ResizeZone::Inside: return 0;
    }
    return 0;
}

bool onInnerSurface(QPointF pos, QSize client)
{
    return pos.x() > kBand && pos.x() < client.width() - kBand && pos.y() > kBand &&
           pos.y() < client.height() - kBand;
}

bool outsideClient(QPointF pos, QSize client)
{
    return pos.x() < 0 || pos.y() < 0 || pos.x() > client.width() || pos.y() > client.height();
}
