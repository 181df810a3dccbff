#include "chrome/frame_mouse.h"
#include "chrome/resize_zones.h"

#include <gtest/gtest.h>

namespace {

const QSize k800x600(800, 600);

struct ZoneCase {
    QPointF pos;
    ResizeZone zone;
    int code;
    Qt::Edges edges;
    Qt::CursorShape cursor;
};

} // namespace

TEST(ResizeZones, EdgePointsAt800x600)
{
    const ZoneCase cases[] = {
        {{799, 300}, ResizeZone::Right, 11, Qt::RightEdge, Qt::SizeHorCursor},
        {{1, 1}, ResizeZone::TopLeft, 13, Qt::TopEdge | Qt::LeftEdge, Qt::SizeFDiagCursor},
        {{400, 599}, ResizeZone::Bottom, 15, Qt::BottomEdge, Qt::SizeVerCursor},
        {{798, 598}, ResizeZone::BottomRight, 17, Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
        {{798, 2}, ResizeZone::TopRight, 14, Qt::TopEdge | Qt::RightEdge, Qt::SizeBDiagCursor},
        {{2, 598}, ResizeZone::BottomLeft, 16, Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor},
        {{0, 300}, ResizeZone::Left, 10, Qt::LeftEdge, Qt::SizeHorCursor},
        {{400, 0}, ResizeZone::Top, 12, Qt::TopEdge, Qt::SizeVerCursor},
        {{3, 3}, ResizeZone::Inside, 0, {}, Qt::ArrowCursor},
        {{400, 50}, ResizeZone::Inside, 0, {}, Qt::ArrowCursor},
    };
    for (const ZoneCase &c : cases) {
        const ResizeZone zone = resizeZoneAt(c.pos, k800x600);
        EXPECT_EQ(zone, c.zone) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(hitTestCode(zone), c.code) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(resizeEdges(zone), c.edges) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(zoneCursor(zone), c.cursor) << c.pos.x() << "," << c.pos.y();
    }
}

TEST(ResizeZones, BandIsThreeColumnsLeftAndTopTwoRightAndBottom)
{
    EXPECT_EQ(resizeZoneAt({2, 300}, k800x600), ResizeZone::Left);
    EXPECT_EQ(resizeZoneAt({3, 300}, k800x600), ResizeZone::Inside);
    EXPECT_EQ(resizeZoneAt({797, 300}, k800x600), ResizeZone::Inside);
    EXPECT_EQ(resizeZoneAt({798, 300}, k800x600), ResizeZone::Right);
    EXPECT_EQ(resizeZoneAt({400, 2}, k800x600), ResizeZone::Top);
    EXPECT_EQ(resizeZoneAt({400, 3}, k800x600), ResizeZone::Inside);
    EXPECT_EQ(resizeZoneAt({400, 597}, k800x600), ResizeZone::Inside);
    EXPECT_EQ(resizeZoneAt({400, 598}, k800x600), ResizeZone::Bottom);
    // Pointer positions come as fractions on scaled screens.
    EXPECT_EQ(resizeZoneAt({2.5, 300}, k800x600), ResizeZone::Inside);
    EXPECT_EQ(resizeZoneAt({797.5, 300}, k800x600), ResizeZone::Inside);
}

TEST(FrameMousePress, OnTheBandResizesAndSavesInsideNothing)
{
    const FrameMouseAction edge = mousePressAction({799, 300}, k800x600, false);
    EXPECT_EQ(edge.resizeEdges, Qt::RightEdge);
    EXPECT_TRUE(edge.saveSize);
    EXPECT_EQ(edge.cursor, Qt::SizeHorCursor);

    const FrameMouseAction inside = mousePressAction({3, 3}, k800x600, false);
    EXPECT_FALSE(inside.resizeEdges);
    EXPECT_FALSE(inside.saveSize);
    EXPECT_FALSE(inside.startMove);

    const FrameMouseAction title = mousePressAction({400, 50}, k800x600, false);
    EXPECT_FALSE(title.resizeEdges);
    EXPECT_FALSE(title.saveSize);
}

TEST(FrameMousePress, MaximisedWindowIgnoresPressesOnTheBand)
{
    const FrameMouseAction action = mousePressAction({799, 300}, k800x600, true);
    EXPECT_FALSE(action.resizeEdges);
    EXPECT_FALSE(action.saveSize);
    EXPECT_FALSE(action.cursor);
}

TEST(FrameMouseMove, BandShowsSizingPointerAlsoWhenMaximised)
{
    for (bool maximised : {false, true}) {
        const FrameMouseAction action = mouseMoveAction({400, 599}, Qt::NoButton, k800x600, maximised);
        EXPECT_EQ(action.cursor, Qt::SizeVerCursor);
        EXPECT_FALSE(action.startMove);
        EXPECT_FALSE(action.resizeEdges);
    }
    // Another button than the left one held over the band still shows the zone.
    EXPECT_EQ(mouseMoveAction({0, 300}, Qt::RightButton, k800x600, false).cursor, Qt::SizeHorCursor);
}

TEST(FrameMouseMove, LeftDragOnTheSurfaceMovesTheWindow)
{
    const FrameMouseAction drag = mouseMoveAction({410, 60}, Qt::LeftButton, k800x600, false);
    EXPECT_TRUE(drag.startMove);
    EXPECT_EQ(drag.cursor, Qt::ArrowCursor);

    EXPECT_FALSE(mouseMoveAction({410, 60}, Qt::LeftButton, k800x600, true).startMove);
    EXPECT_FALSE(mouseMoveAction({410, 60}, Qt::LeftButton | Qt::RightButton, k800x600, false).startMove);
    EXPECT_FALSE(mouseMoveAction({410, 60}, Qt::RightButton, k800x600, false).startMove);
    EXPECT_FALSE(mouseMoveAction({410, 60}, Qt::NoButton, k800x600, false).startMove);
    // With the left button held the band counts as surface for the pointer, but no move starts
    // from the top rows or the side columns.
    const FrameMouseAction top = mouseMoveAction({410, 2}, Qt::LeftButton, k800x600, false);
    EXPECT_EQ(top.cursor, Qt::ArrowCursor);
    EXPECT_FALSE(top.startMove);
    EXPECT_FALSE(mouseMoveAction({799, 300}, Qt::LeftButton, k800x600, false).startMove);
    // Dragged below the window while the mouse is grabbed: still a move.
    EXPECT_TRUE(mouseMoveAction({400, 640}, Qt::LeftButton, k800x600, false).startMove);
}

TEST(FrameMouseMove, OutsideTheWindowShowsTheArrow)
{
    EXPECT_EQ(mouseMoveAction({-5, 300}, Qt::NoButton, k800x600, false).cursor, Qt::ArrowCursor);
    EXPECT_EQ(mouseMoveAction({400, 601}, Qt::RightButton, k800x600, false).cursor, Qt::ArrowCursor);
}

TEST(EdgeMouse, ReleaseOnlyResetsThePointer)
{
    const FrameMouseAction release = edge_mouse(EdgeMouseMode::Release, {799, 300}, k800x600);
    EXPECT_EQ(release.cursor, Qt::ArrowCursor);
    EXPECT_FALSE(release.resizeEdges);
    const FrameMouseAction move = edge_mouse(EdgeMouseMode::Move, {799, 300}, k800x600);
    EXPECT_EQ(move.cursor, Qt::SizeHorCursor);
    EXPECT_FALSE(move.resizeEdges);
}
