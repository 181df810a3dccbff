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

int Shape::addFill(const Rgba& colour)
{
    fills_.push_back(colour);
    return int(fills_.size());
}

void Shape::checkFill(int fill) const
{
    if (fill < 1 || fill > int(fills_.size()))
        throw std::out_of_range("no such fill style");
}

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

void Shape::rect(int fill, double x, double y, double width, double height)
{
    polygon(fill, {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

void Shape::polygon(int fill, const std::vector<std::pair<double, double>>& points)
{
    checkFill(fill);
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

void Shape::circle(int fill, double cx, double cy, double radius)
{
    checkFill(fill);
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

Bytes Shape::encode(uint16_t shapeId, int version) const
{
    if (version != 1 && version != 3)
        throw std::invalid_argument("only DefineShape and DefineShape3 are written");
    if (fills_.size() > 254)
        throw std::length_error("too many fill styles for one shape");
    BitWriter out;
    out.writeU16(shapeId);
    writeRect(out, bounds_);
    out.writeU8(uint8_t(fills_.size()));
    for (const Rgba& colour : fills_) {
        out.writeU8(0x00);   // solid fill
        if (version == 3)
            writeRgba(out, colour);
        else
            writeRgb(out, colour);
    }
    out.writeU8(0);   // no line styles
    const int fillBits = unsignedBits(uint32_t(fills_.size()));
    out.writeUB(uint32_t(fillBits), 4);
    out.writeUB(0, 4);   // line style bits
    for (const Path& path : paths_) {
        // Style change: move to the start and select the fill on side 0.
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
        out.writeUB(uint32_t(path.fill), fillBits);
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
