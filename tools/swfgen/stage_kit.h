// Building blocks the games and test movies share: shapes, clips scripts can move, text fields
// bound to variables, and the per-frame script hook.
#pragma once

#include "movie.h"
#include "script.h"
#include "shape.h"

namespace swfgen {

// Defines a shape and returns its character id.
uint16_t addShape(Movie& movie, const Shape& shape);
// A one-frame movie clip holding the shape, so scripts can move and hide it; returns its id.
uint16_t addClip(Movie& movie, const Shape& shape);
// A movie clip whose frame n shows shapes[n - 1]; it stops on its first frame, and scripts pick
// a frame with gotoAndStop. Returns its id.
uint16_t addFrameClip(Movie& movie, const std::vector<Shape>& frames);
// A shape covering the whole stage in one colour.
Shape stageFill(const Movie& movie, const Rgba& colour);
// Places a character on the root timeline at a depth, optionally named for scripts.
void place(Movie& movie, uint16_t character, uint16_t depth, const std::string& name = {},
           double x = 0, double y = 0);

// The device font "_sans" for text fields; returns its font id.
uint16_t addDeviceFont(Movie& movie);

// A read-only text field showing the root variable `variable`.
struct TextSpec {
    std::string variable;
    double x = 0, y = 0, width = 200, height = 24;
    double size = 16;
    Rgba colour;
    uint8_t align = 0;   // 0 left, 1 right, 2 centre
};
void addText(Movie& movie, uint16_t font, uint16_t depth, const TextSpec& spec);

// The frame-1 script: `setup` runs once, then `everyFrame` runs on each frame as the root's
// onEnterFrame. The root timeline stops on its only frame; the handler keeps running.
void addMainScript(Movie& movie, const Block& setup, const Block& everyFrame);

// Root-relative clip reference: _root[name].
Expr clip(const Expr& name);

} // namespace swfgen
