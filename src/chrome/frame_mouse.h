#pragma once

#include <QPointF>
#include <QSize>
#include <Qt>

#include <optional>

// What the borderless window does with the mouse on its own surface: the zone pointer, the
// window manager's interactive move, or its interactive resize followed by saving the size.

struct FrameMouseAction {
    std::optional<Qt::CursorShape> cursor; // nothing: leave the pointer as it is
    bool startMove = false;
    Qt::Edges resizeEdges;                 // not empty: start an interactive resize from these
    bool saveSize = false;                 // write the outer size to config.ini afterwards
};

// The zone logic shared by the three mouse events: the zone's pointer, and on a press outside
// the inner surface the edges to resize from. A release only resets the pointer.
enum class EdgeMouseMode { Move = 0, Press = 1, Release = 2 };
FrameMouseAction edge_mouse(EdgeMouseMode mode, QPointF pos, QSize client);

// Pointer movement with `held` buttons down. Over the inner surface, outside the window or
// with exactly the left button held: the arrow, and with the left button alone held over the
// surface below the top band of a window that is not maximised, a window move. On the edge
// band otherwise: the zone's pointer, also while maximised.
FrameMouseAction mouseMoveAction(QPointF pos, Qt::MouseButtons held, QSize client, bool maximised);

// A press with any button: on the edge band of a window that is not maximised, an interactive
// resize and then the size saved; nothing at all while maximised or on the inner surface.
FrameMouseAction mousePressAction(QPointF pos, QSize client, bool maximised);
