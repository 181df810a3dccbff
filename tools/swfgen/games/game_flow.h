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
// Places clips made from the shapes, named prefix0, prefix1, ... on consecutive depths, above
// the stage until the script moves them in.
void placeNumberedClips(Movie& movie, const std::vector<Shape>& shapes, const std::string& prefix,
                        uint16_t firstDepth);
// Adds the score line `hud` at the top and the centred message `msg` in the given colours,
// then the main script, ends the only frame and encodes the movie.
Bytes finishGame(Movie& movie, const Rgba& hudColour, const Rgba& messageColour, const Block& setup,
                 const Block& everyFrame);
// Math.abs(value)
Expr absolute(const Expr& value);

} // namespace swfgen
