// The round structure the demo games share. Each game defines a root function `start` that
// resets a round and sets `state` to "play"; `gameOver` ends the round, and after a short
// pause a Space press or a click starts the next one. `msg` is the centred message line.
#pragma once

#include "stage_kit.h"

namespace swfgen {

Block gameOver(const std::string& message);
// Every-frame part while `state` is "over".
Block restartWhenAsked();
// Setup part: the click handler that restarts after game over.
Block restartOnClick();
// The centred message field and the score line at the top, in the given colours.
void addStatusTexts(Movie& movie, uint16_t firstDepth, const Rgba& hudColour, const Rgba& messageColour);
// Math.abs(value)
Expr absolute(const Expr& value);

} // namespace swfgen
