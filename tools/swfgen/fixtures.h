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

// Counts its own starts in the SharedObject "tamsa" (data.count, flushed at once) and shows the
// count: the stage is grey before the script ran, red after the first start, green after the
// second, blue from the third on; and count white bars (up to 10) along the bottom.
Bytes savesFixture();
// A continuous 440 Hz tone (looped event sound) over a dark green stage with a speaker.
Bytes soundFixture();
// Black until the first key press reaches the movie, then white for good.
Bytes keysFixture();
// Grey in normal display; a click asks for full screen (or back), and the stage turns green
// while the player reports full screen.
Bytes fullscreenFixture();

} // namespace swfgen
