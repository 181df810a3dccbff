#pragma once

#include <QPointF>
#include <QSize>
#include <Qt>

// The borderless window resizes from a band along its edges: columns x ≤ 2 and x ≥ W − 2,
// rows y ≤ 2 and y ≥ H − 2 of the client area. Everything else is its inner surface.

enum class ResizeZone { TopRight, BottomRight, Right, Top, Bottom, Inside, TopLeft, BottomLeft, Left };

// The zone of a point in client coordinates, tested in the order of the enum.
ResizeZone resizeZoneAt(QPointF pos, QSize client);

// The edges handed to the window manager's interactive resize; none for Inside.
Qt::Edges resizeEdges(ResizeZone zone);

// The pointer shown over the zone.
Qt::CursorShape zoneCursor(ResizeZone zone);

// The Windows hit-test code of the zone (HTLEFT 10 … HTBOTTOMRIGHT 17); 0 for Inside.
int hitTestCode(ResizeZone zone);

// 2 < x < W − 2 and 2 < y < H − 2.
bool onInnerSurface(QPointF pos, QSize client);

// Left of, above, right of or below the client area (only seen while the mouse is grabbed).
bool outsideClient(QPointF pos, QSize client);
