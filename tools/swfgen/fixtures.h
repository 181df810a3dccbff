// Movies for the playback tests: each shows something a test can read from screen pixels.
#pragma once

#include "bit_writer.h"

namespace swfgen {

// 400x300, the whole stage #FF0000.
Bytes solidFixture();
// A stage whose colour runs through the hues, one step a frame (120 frames at 24 fps,
// a five-second cycle), with a white square crossing it: two screenshots taken a fraction
// of a second apart differ while the movie plays and match while it is paused.
Bytes animFixture();

} // namespace swfgen
