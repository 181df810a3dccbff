#pragma once

#include <QImage>

// The pictures beside the strips.
QImage drawRetryPicture();          // P2 on the portal error panel, 204 × 153
QImage drawBullet();                // Image1, 6 × 6
QImage drawAdClosePicture();        // the ad window's close picture, 11 × 11
QImage drawRecommendClosePicture(); // the recommendation window's close picture, 51 × 21
QImage drawProgramIcon(int size);   // square
QImage drawDeleteIcon();            // the list pages' delete picture (written as i.gif), 10 × 10
