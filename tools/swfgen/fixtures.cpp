#include "fixtures.h"

#include "stage_kit.h"
#include "tone.h"

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

// A full-stage clip named `name` showing one plain colour per frame.
void placeColourClip(Movie& movie, const std::vector<uint32_t>& colours, const std::string& name)
{
    std::vector<Shape> frames;
    for (uint32_t colour : colours)
        frames.push_back(stageFill(movie, rgb(colour)));
    place(movie, addFrameClip(movie, frames), 1, name);
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

Bytes savesFixture()
{
    constexpr int maxBars = 10;
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0x808080)));
    placeColourClip(movie, {0x808080, 0xFF0000, 0x00FF00, 0x0000FF}, "screen");
    std::vector<Shape> bars(maxBars + 1);
    for (int shown = 0; shown <= maxBars; ++shown) {
        // Frame 1 must draw something; a bar outside the stage stands for none.
        bars[size_t(shown)].rect(rgb(0xFFFFFF), -20, 0, 10, 10);
        for (int i = 0; i < shown; ++i)
            bars[size_t(shown)].rect(rgb(0xFFFFFF), 20 + i * 36, 240, 24, 40);
    }
    place(movie, addFrameClip(movie, bars), 2, "bars");

    const Expr so = var("so"), data = member(var("so"), "data");
    Block script;
    script.set("so", method(var("SharedObject"), "getLocal", {"tamsa"}))
        // ToInteger turns a missing or damaged count into 0.
        .set("count", toInteger(member(data, "count")) + 1)
        .setMember(data, "count", var("count"))
        .eval(method(so, "flush"))
        .set("colour", var("count"))
        .when(var("colour") > 3, Block().set("colour", 3))
        .eval(method(var("screen"), "gotoAndStop", {var("colour") + 1}))
        .set("barCount", var("count"))
        .when(var("barCount") > maxBars, Block().set("barCount", maxBars))
        .eval(method(var("bars"), "gotoAndStop", {var("barCount") + 1}))
        .stop();
    movie.add(doAction(script.compile()));
    movie.showFrame();
    return movie.encode();
}

Bytes soundFixture()
{
    constexpr int sampleRate = 22050;
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0x1B5E20)));
    Shape speaker = stageFill(movie, rgb(0x1B5E20));
    speaker.rect(rgb(0xFFFFFF), 140, 125, 30, 50);
    speaker.polygon(rgb(0xFFFFFF), {{170, 125}, {210, 95}, {210, 205}, {170, 175}});
    speaker.rect(rgb(0xFFFFFF), 230, 140, 8, 20);
    speaker.rect(rgb(0xFFFFFF), 250, 125, 8, 50);
    place(movie, addShape(movie, speaker), 1);
    const uint16_t sound = movie.newCharacterId();
    movie.add(defineSound(sound, SoundRate::Hz22050, sineTone(440, 1.0, sampleRate, 0.5)));
    // 65535 loops of one second: a tone for about eighteen hours.
    movie.add(startSound(sound, 65535));
    movie.add(doAction(Block().stop().compile()));
    movie.showFrame();
    return movie.encode();
}

Bytes keysFixture()
{
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0x000000)));
    placeColourClip(movie, {0x000000, 0xFFFFFF}, "screen");
    Block pressed;
    pressed.eval(method(var("screen"), "gotoAndStop", {2}));
    Block script;
    script.set("listener", newObject("Object"))
        .setMember(var("listener"), "onKeyDown", function({}, pressed))
        .eval(method(var("Key"), "addListener", {var("listener")}))
        .stop();
    movie.add(doAction(script.compile()));
    movie.showFrame();
    return movie.encode();
}

Bytes fullscreenFixture()
{
    Movie movie(kStageWidth, kStageHeight, 24);
    movie.add(setBackgroundColor(rgb(0x808080)));
    placeColourClip(movie, {0x808080, 0x00C000}, "screen");
    const Expr state = member(var("Stage"), "displayState");
    Block toggle;
    toggle.when(state == "fullScreen", Block().setMember(var("Stage"), "displayState", "normal"),
                Block().setMember(var("Stage"), "displayState", "fullScreen"));
    Block everyFrame;
    everyFrame.when(state == "fullScreen", Block().eval(method(var("screen"), "gotoAndStop", {2})),
                    Block().eval(method(var("screen"), "gotoAndStop", {1})));
    addMainScript(movie, Block().set("onMouseDown", function({}, toggle)), everyFrame);
    movie.showFrame();
    return movie.encode();
}

} // namespace swfgen
