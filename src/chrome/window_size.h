#pragma once

#include <QSize>

// The saved window size lives in section S_q of config.ini as h_w and h_h, in twips.
constexpr int kTwipsPerPixel = 15;

// Writes the window's outer size in twips (15 per pixel) to S_q/h_w, then S_q/h_h, of the
// program folder's config.ini. A failed write is not reported; the old values stay.
void saveWindowSize(QSize outerPixels);
