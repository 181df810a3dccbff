// The basic SWF records: RECT, MATRIX, RGB/RGBA and colour transforms. Coordinates are in
// twips (1/20 pixel); twips() converts from pixels.
#pragma once

#include "bit_writer.h"

namespace swfgen {

constexpr int32_t twips(double pixels) { return int32_t(pixels * 20.0 + (pixels < 0 ? -0.5 : 0.5)); }

struct Rect {
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;   // twips
};
// A rectangle given in pixels.
Rect pixelRect(double x, double y, double width, double height);

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};
// 0xRRGGBB, opaque.
Rgba rgb(uint32_t hex);

struct Matrix {
    double scaleX = 1, scaleY = 1;
    double rotateSkew0 = 0, rotateSkew1 = 0;
    int32_t translateX = 0, translateY = 0;   // twips
};
Matrix translation(double xPixels, double yPixels);

// Additive colour terms (-255..255 per channel), applied after multiplying by 1.
struct ColorAdd {
    int16_t r = 0, g = 0, b = 0, a = 0;
};

void writeRect(BitWriter& out, const Rect& rect);
void writeRgb(BitWriter& out, const Rgba& colour);
void writeRgba(BitWriter& out, const Rgba& colour);
void writeMatrix(BitWriter& out, const Matrix& matrix);
// CXFORMWITHALPHA with add terms only.
void writeColorAdd(BitWriter& out, const ColorAdd& add);

} // namespace swfgen
