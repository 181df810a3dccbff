#include "stage_kit.h"

namespace swfgen {

uint16_t addShape(Movie& movie, const Shape& shape)
{
    const uint16_t id = movie.newCharacterId();
    movie.add(defineShape(id, shape));
    return id;
}

uint16_t addClip(Movie& movie, const Shape& shape)
{
    const uint16_t shapeId = addShape(movie, shape);
    const uint16_t clipId = movie.newCharacterId();
    Placement inner;
    inner.character = shapeId;
    movie.add(defineSprite(clipId, 1, {placeObject2(inner), showFrame()}));
    return clipId;
}

uint16_t addFrameClip(Movie& movie, const std::vector<Shape>& frames)
{
    std::vector<Bytes> tags;
    tags.push_back(doAction(Block().stop().compile()));
    for (size_t i = 0; i < frames.size(); ++i) {
        Placement p;
        p.character = addShape(movie, frames[i]);
        p.replace = i > 0;
        tags.push_back(placeObject2(p));
        tags.push_back(showFrame());
    }
    const uint16_t id = movie.newCharacterId();
    movie.add(defineSprite(id, uint16_t(frames.size()), tags));
    return id;
}

Shape stageFill(const Movie& movie, const Rgba& colour)
{
    Shape shape;
    shape.rect(colour, 0, 0, movie.width(), movie.height());
    return shape;
}

void place(Movie& movie, uint16_t character, uint16_t depth, const std::string& name, double x, double y)
{
    Placement p;
    p.character = character;
    p.depth = depth;
    p.name = name;
    if (x != 0 || y != 0)
        p.matrix = translation(x, y);
    movie.add(placeObject2(p));
}

uint16_t addDeviceFont(Movie& movie)
{
    const uint16_t id = movie.newCharacterId();
    movie.add(defineDeviceFont(id, "_sans"));
    return id;
}

void addText(Movie& movie, uint16_t font, uint16_t depth, const TextSpec& spec)
{
    EditText text;
    text.bounds = pixelRect(0, 0, spec.width, spec.height);
    text.fontId = font;
    text.fontSizePixels = spec.size;
    text.colour = spec.colour;
    text.variable = spec.variable;
    text.align = spec.align;
    const uint16_t id = movie.newCharacterId();
    movie.add(defineEditText(id, text));
    place(movie, id, depth, {}, spec.x, spec.y);
}

void addMainScript(Movie& movie, const Block& setup, const Block& everyFrame)
{
    Block script = setup;
    script.set("onEnterFrame", function({}, everyFrame));
    script.stop();
    movie.add(doAction(script.compile()));
}

Expr clip(const Expr& name)
{
    return member(var("_root"), name);
}

} // namespace swfgen
