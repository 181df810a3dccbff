#include "games/game_flow.h"

namespace swfgen {

namespace {

constexpr int kRestartPauseFrames = 20;

Expr restartAllowed()
{
    return var("state") == "over" && var("pause") <= 0;
}

} // namespace

Block gameOver(const std::string& message)
{
    return Block().set("state", "over").set("msg", message).set("pause", kRestartPauseFrames);
}

Block restartWhenAsked()
{
    return Block()
        .set("pause", var("pause") - 1)
        .when(restartAllowed() && keyDown(Key::Space), Block().eval(call("start")));
}

Block restartOnClick()
{
    return Block().set("onMouseDown",
                       function({}, Block().when(restartAllowed(), Block().eval(call("start")))));
}

void placeNumberedClips(Movie& movie, const std::vector<Shape>& shapes, const std::string& prefix,
                        uint16_t firstDepth)
{
    for (size_t i = 0; i < shapes.size(); ++i)
        place(movie, addClip(movie, shapes[i]), uint16_t(firstDepth + i), prefix + std::to_string(i), 0, -40);
}

Bytes finishGame(Movie& movie, const Rgba& hudColour, const Rgba& messageColour, const Block& setup,
                 const Block& everyFrame)
{
    // Texts sit above everything the games place below this depth.
    constexpr uint16_t firstDepth = 100;
    const uint16_t font = addDeviceFont(movie);
    TextSpec hud;
    hud.variable = "hud";
    hud.x = 10;
    hud.y = 6;
    hud.width = movie.width() - 20;
    hud.height = 28;
    hud.size = 18;
    hud.colour = hudColour;
    addText(movie, font, firstDepth, hud);
    TextSpec message = hud;
    message.variable = "msg";
    message.y = movie.height() / 2.0 - 20;
    message.height = 36;
    message.size = 22;
    message.colour = messageColour;
    message.align = 2;
    addText(movie, font, uint16_t(firstDepth + 1), message);
    addMainScript(movie, setup, everyFrame);
    movie.showFrame();
    return movie.encode();
}

Expr absolute(const Expr& value)
{
    return method(var("Math"), "abs", {value});
}

} // namespace swfgen
