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

void addStatusTexts(Movie& movie, uint16_t firstDepth, const Rgba& hudColour, const Rgba& messageColour)
{
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
}

Expr absolute(const Expr& value)
{
    return method(var("Math"), "abs", {value});
}

} // namespace swfgen
