#pragma once

#include "chrome/face_table.h"

#include <QImage>

#include <array>

// The thirteen skin strips: ppt(0) the window template, ppt(1..12) every button face, each
// face drawn into the cell the client's face table gives it. At scale 2 the same art is drawn
// with twice the pixels (for "<id>@2x.png"), each strip's device pixel ratio set to the scale.
std::array<QImage, kSkinStripCount> drawSkinStrips(int scale = 1);
