// Shapes with solid fills: rectangles, circles (quadratic curves) and polygons, encoded as
// DefineShape (RGB fills) or DefineShape3 (RGBA fills).
#pragma once

#include "records.h"

#include <utility>

namespace swfgen {

class Shape {
public:
    // Adds a solid fill style and returns its 1-based index for the drawing calls.
    int addFill(const Rgba& colour);

    // All coordinates in pixels, relative to the shape's origin.
    void rect(int fill, double x, double y, double width, double height);
    void circle(int fill, double centreX, double centreY, double radius);
    void polygon(int fill, const std::vector<std::pair<double, double>>& points);

    // The body of a DefineShape (version 1) or DefineShape3 (version 3) tag.
    Bytes encode(uint16_t shapeId, int version) const;

private:
    struct Edge {
        bool curved;
        int32_t controlX, controlY;   // curves only, absolute twips
        int32_t x, y;                 // end point, absolute twips
    };
    struct Path {
        int fill;
        int32_t startX, startY;
        std::vector<Edge> edges;
    };
    void include(int32_t x, int32_t y);
    void checkFill(int fill) const;

    std::vector<Rgba> fills_;
    std::vector<Path> paths_;
    Rect bounds_;
    bool empty_ = true;
};

} // namespace swfgen
