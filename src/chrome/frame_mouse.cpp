#include "chrome/frame_mouse.h"

#include "chrome/resize_zones.h"

FrameMouseAction edge_mouse(EdgeMouseMode mode, QPointF pos, QSize client)
{
    FrameMouseAction action;
    action.cursor = Qt::ArrowCursor;
    if (mode == EdgeMouseMode::Release)
        return action;
    const ResizeZone zone = resizeZoneAt(pos, client);
    action.cursor = zoneCursor(zone);
    if (mode == EdgeMouseMode::Press)
        action.resizeEdges = resizeEdges(zone);
    return action;
}

FrameMouseAction mouseMoveAction(QPointF pos, Qt::MouseButtons held, QSize client, bool maximised)
{
    const bool leftAlone = held == Qt::LeftButton;
    if (!onInnerSurface(pos, client) && !leftAlone && !outsideClient(pos, client))
        return edge_mouse(EdgeMouseMode::Move, pos, client);

    FrameMouseAction action;
    action.cursor = Qt::ArrowCursor;
    action.startMove = !maximised && leftAlone && pos.y() > 2 && pos.x() > 2 && pos.x() < client.width() - 2;
    return action;
}

FrameMouseAction mousePressAction(QPointF pos, QSize client, bool maximised)
{
    if (maximised || onInnerSurface(pos, client))
        return {};
    FrameMouseAction action = edge_mouse(EdgeMouseMode::Press, pos, client);
    action.saveSize = true;
    return action;
}
