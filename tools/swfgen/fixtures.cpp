#include "fixtures.h"

#include "stage_kit.h"

#include <cmath>

namespace swfgen {

namespace {

constexpr int kStageWidth = 400, kStageHeight = 300;

Rgba hue(double degrees)
{
    const double h = std::fmod(degrees, 360.0) / 60.0;
    const double x = 1 - std::fabs(std::fmod(h, 2.0) - 1);
    double r = 0, g = 0, b = 0;
    switch (int(h)) {
    case 0: r = 1; g = x; break;
    case 1: r = x; g = 1; break;
    case 2: g = 1; b = x; break;
    case 3: g = x; b = 1; break;
    case 4: r = x; b = 1; break;
    default: r = 1; b = x; break;
    }
    return Rgba{uint8_t(std::lround(r * 255)), uint8_t(std::lround(g * 255)), uint8_t(std::lround(b * 255)), 255};
}

} // namespace

Bytes solidFixture()
{
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0xFF0000)));
    // The shape keeps the stage red even where a page overrides the movie's background.
    Placement place;
    place.character = addShape(movie, stageFill(movie, rgb(0xFF0000)));
    movie.add(placeObject2(place));
    movie.showFrame();
    return movie.encode();
}

Bytes animFixture()
{
    constexpr int frames = 120;
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0x000000)));
    // A black stage fill tinted by add terms, so one shape serves every colour.
    const uint16_t stage = addShape(movie, stageFill(movie, rgb(0x000000)));
    Shape square;
    square.rect(rgb(0xFFFFFF), 0, 0, 40, 40);
    const uint16_t squareId = addShape(movie, square);

    for (int frame = 0; frame < frames; ++frame) {
        const Rgba c = hue(frame * 360.0 / frames);
        Placement tint;
        tint.depth = 1;
        tint.colour = ColorAdd{c.r, c.g, c.b, 0};
        Placement move;
        move.depth = 2;
        move.matrix = translation(frame * double(kStageWidth - 40) / (frames - 1), 130);
        if (frame == 0) {
            tint.character = stage;
            move.character = squareId;
        }
        movie.add(placeObject2(tint));
        movie.add(placeObject2(move));
        movie.showFrame();
    }
    return movie.encode();
}

} // namespace swfgen
