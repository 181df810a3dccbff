#pragma once

#include <QImage>

// The pictures beside the strips, in logical pixels; at scale 2 with twice the pixels (for
// "<name>@2x.png") and the device pixel ratio set to the scale.
QImage drawRetryPicture(int scale = 1);           // P2 on the portal error panel, 204 × 153
QImage drawBullet(int scale = 1);                 // Image1, 6 × 6
QImage drawAdClosePicture(int scale = 1);         // the ad window's close picture, 11 × 11
QImage drawRecommendClosePicture(int scale = 1);  // the recommendation window's close picture, 51 × 21
QImage drawProgramIcon(int size);                 // square
QImage drawDeleteIcon();                          // the list pages' delete picture (written as i.gif), 10 × 10
