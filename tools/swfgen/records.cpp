#include "records.h"

#include <algorithm>

namespace swfgen {

Rect pixelRect(double x, double y, double width, double height)
{
    return Rect{twips(x), twips(x + width), twips(y), twips(y + height)};
}

Rgba rgb(uint32_t hex)
{
    return Rgba{uint8_t(hex >> 16), uint8_t(hex >> 8), uint8_t(hex), 255};
}

Matrix translation(double xPixels, double yPixels)
{
    Matrix m;
    m.translateX = twips(xPixels);
    m.translateY = twips(yPixels);
    return m;
}

void writeRect(BitWriter& out, const Rect& rect)
{
    const int bits = signedBits({rect.xMin, rect.xMax, rect.yMin, rect.yMax});
    out.writeUB(uint32_t(bits), 5);
    out.writeSB(rect.xMin, bits);
    out.writeSB(rect.xMax, bits);
    out.writeSB(rect.yMin, bits);
    out.writeSB(rect.yMax, bits);
    out.align();
}

void writeRgb(BitWriter& out, const Rgba& colour)
{
    out.writeU8(colour.r);
    out.writeU8(colour.g);
    out.writeU8(colour.b);
}

void writeRgba(BitWriter& out, const Rgba& colour)
{
    writeRgb(out, colour);
    out.writeU8(colour.a);
}

namespace {

// A MATRIX term pair (scale or rotate/skew): a presence flag, then both 16.16 values.
void writeOptionalFixedPair(BitWriter& out, double a, double b, double absentValue)
{
    const bool present = a != absentValue || b != absentValue;
    out.writeFlag(present);
    if (!present)
        return;
    const int32_t fa = toFixed16(a), fb = toFixed16(b);
    const int bits = signedBits({fa, fb});
    out.writeUB(uint32_t(bits), 5);
    out.writeSB(fa, bits);
    out.writeSB(fb, bits);
}

} // namespace

void writeMatrix(BitWriter& out, const Matrix& m)
{
    writeOptionalFixedPair(out, m.scaleX, m.scaleY, 1);
    writeOptionalFixedPair(out, m.rotateSkew0, m.rotateSkew1, 0);
    const int bits = signedBits({m.translateX, m.translateY});
    out.writeUB(uint32_t(bits), 5);
    out.writeSB(m.translateX, bits);
    out.writeSB(m.translateY, bits);
    out.align();
}

void writeColorAdd(BitWriter& out, const ColorAdd& add)
{
    const int bits = std::max(1, signedBits({add.r, add.g, add.b, add.a}));
    out.writeFlag(true);    // HasAddTerms
    out.writeFlag(false);   // HasMultTerms
    out.writeUB(uint32_t(bits), 4);
    out.writeSB(add.r, bits);
    out.writeSB(add.g, bits);
    out.writeSB(add.b, bits);
    out.writeSB(add.a, bits);
    out.align();
}

} // namespace swfgen
