// Shapes with solid fills: rectangles, circles (quadratic curves) and polygons, encoded as
// DefineShape3. Each figure is drawn on its own style layer, in order, so later figures paint
// over earlier ones; in one layer, overlapping figures of the same fill would cancel out.
#pragma once

#include "records.h"

#include <utility>

namespace swfgen {

class Shape {
public:
    // All coordinates in pixels, relative to the shape's origin.
    void rect(const Rgba& fill, double x, double y, double width, double height);
    void circle(const Rgba& fill, double centreX, double centreY, double radius);
    void polygon(const Rgba& fill, const std::vector<std::pair<double, double>>& points);

    // The body of a DefineShape3 tag.
    Bytes encode(uint16_t shapeId) const;

private:
    struct Edge {
        bool curved;
        int32_t controlX, controlY;   // curves only, absolute twips
        int32_t x, y;                 // end point, absolute twips
    };
    struct Path {
        Rgba fill;
        int32_t startX, startY;
        std::vector<Edge> edges;
    };
    void include(int32_t x, int32_t y);

    std::vector<Path> paths_;
    Rect bounds_;
    bool empty_ = true;
};

} // namespace swfgen
