#pragma once

#include "chrome/face_table.h"

#include <QImage>

#include <array>

// The thirteen skin strips: ppt(0) the window template, ppt(1..12) every button face, each
// face drawn into the cell the client's face table gives it.
std::array<QImage, kSkinStripCount> drawSkinStrips();
