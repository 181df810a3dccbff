#include "shape.h"

#include <cmath>
#include <stdexcept>

namespace swfgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void writeStraightEdge(BitWriter& out, int32_t dx, int32_t dy)
{
    // Edge widths are stored minus two, so two bits is the narrowest field.
    const int bits = std::max(2, signedBits({dx, dy}));
    out.writeUB(1, 1);   // edge record
    out.writeUB(1, 1);   // straight
    out.writeUB(uint32_t(bits - 2), 4);
    if (dx != 0 && dy != 0) {
        out.writeFlag(true);   // general line
        out.writeSB(dx, bits);
        out.writeSB(dy, bits);
    } else {
        out.writeFlag(false);
        const bool vertical = dx == 0;
        out.writeFlag(vertical);
        out.writeSB(vertical ? dy : dx, bits);
    }
}

void writeCurvedEdge(BitWriter& out, int32_t cdx, int32_t cdy, int32_t adx, int32_t ady)
{
    const int bits = std::max(2, signedBits({cdx, cdy, adx, ady}));
    out.writeUB(1, 1);   // edge record
    out.writeUB(0, 1);   // curved
    out.writeUB(uint32_t(bits - 2), 4);
    out.writeSB(cdx, bits);
    out.writeSB(cdy, bits);
    out.writeSB(adx, bits);
    out.writeSB(ady, bits);
}

} // namespace

void Shape::include(int32_t x, int32_t y)
{
    if (empty_) {
        bounds_ = Rect{x, x, y, y};
        empty_ = false;
        return;
    }
    bounds_.xMin = std::min(bounds_.xMin, x);
    bounds_.xMax = std::max(bounds_.xMax, x);
    bounds_.yMin = std::min(bounds_.yMin, y);
    bounds_.yMax = std::max(bounds_.yMax, y);
}

void Shape::rect(const Rgba& fill, double x, double y, double width, double height)
{
    polygon(fill, {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

void Shape::polygon(const Rgba& fill, const std::vector<std::pair<double, double>>& points)
{
    if (points.size() < 3)
        throw std::invalid_argument("a polygon needs three points");
    Path path{fill, twips(points[0].first), twips(points[0].second), {}};
    include(path.startX, path.startY);
    for (size_t i = 1; i <= points.size(); ++i) {
        const auto& p = points[i % points.size()];
        const int32_t x = twips(p.first), y = twips(p.second);
        path.edges.push_back(Edge{false, 0, 0, x, y});
        include(x, y);
    }
    paths_.push_back(std::move(path));
}

void Shape::circle(const Rgba& fill, double cx, double cy, double radius)
{
    // Eight quadratic segments; each control point sits on the tangents' crossing.
    const int segments = 8;
    const double step = 2 * kPi / segments;
    const double controlRadius = radius / std::cos(step / 2);
    Path path{fill, twips(cx + radius), twips(cy), {}};
    for (int i = 1; i <= segments; ++i) {
        const double mid = (i - 0.5) * step, end = i * step;
        Edge e{true, twips(cx + controlRadius * std::cos(mid)), twips(cy + controlRadius * std::sin(mid)),
               twips(cx + radius * std::cos(end)), twips(cy + radius * std::sin(end))};
        if (i == segments) {   // close exactly, whatever the rounding
            e.x = path.startX;
            e.y = path.startY;
        }
        path.edges.push_back(e);
    }
    include(twips(cx - radius), twips(cy - radius));
    include(twips(cx + radius), twips(cy + radius));
    paths_.push_back(std::move(path));
}

Bytes Shape::encode(uint16_t shapeId) const
{
    BitWriter out;
    out.writeU16(shapeId);
    writeRect(out, bounds_);
    // Every layer holds one fill, selected as index 1 (one bit); there are no lines.
    auto writeStyles = [&out](const Rgba& fill) {
        out.writeU8(1);
        out.writeU8(0x00);   // solid fill
        writeRgba(out, fill);
        out.writeU8(0);      // no line styles
        out.writeUB(1, 4);   // fill index bits
        out.writeUB(0, 4);   // line index bits
    };
    writeStyles(paths_.empty() ? Rgba{} : paths_.front().fill);
    for (size_t i = 0; i < paths_.size(); ++i) {
        const Path& path = paths_[i];
        if (i > 0) {
            // Style change that only opens a new layer, so the next record's fill index
            // unambiguously refers to the new style array.
            out.writeUB(0, 1);
            out.writeFlag(true);    // new styles
            out.writeUB(0, 4);      // no line, fill 1, fill 0 or move
            writeStyles(path.fill);
        }
        // Style change: move to the start and select the layer's fill on side 0.
        out.writeUB(0, 1);
        out.writeFlag(false);   // new styles
        out.writeFlag(false);   // line style
        out.writeFlag(false);   // fill style 1
        out.writeFlag(true);    // fill style 0
        out.writeFlag(true);    // move to
        const int moveBits = signedBits({path.startX, path.startY});
        out.writeUB(uint32_t(moveBits), 5);
        out.writeSB(path.startX, moveBits);
        out.writeSB(path.startY, moveBits);
        out.writeUB(1, 1);
        int32_t x = path.startX, y = path.startY;
        for (const Edge& e : path.edges) {
            if (e.curved)
                writeCurvedEdge(out, e.controlX - x, e.controlY - y, e.x - e.controlX, e.y - e.controlY);
            else
                writeStraightEdge(out, e.x - x, e.y - y);
            x = e.x;
            y = e.y;
        }
    }
    out.writeUB(0, 6);   // end of shape
    return out.bytes();
}

} // namespace swfgen
