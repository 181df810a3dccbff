#pragma once

// Flips the mute of the sound server's default output (the game view's mute tool). False,
// and nothing changed, when no sound server answered within a second; a server is never
// started for it.
bool toggleSystemMute();
