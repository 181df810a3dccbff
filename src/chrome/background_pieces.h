#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// The window background is cut from the template strip ppt(0) (100 × 133) in pieces, each
// stretched onto its place; later pieces are drawn over earlier ones. What no piece covers
// keeps the background colour.

constexpr int kBackgroundRed = 224; // RGB (224, 224, 224)
constexpr int kBackgroundGreen = 224;
constexpr int kBackgroundBlue = 224;

struct SkinPiece {
    QRect source; // in ppt(0)
    QRect target; // in the window's client area
};

// The main window's eight pieces for a client of W × H, in drawing order: left edge, right
// edge, bottom edge, bottom corners, top band, top-left piece (with the logo), top-right piece.
QList<SkinPiece> windowBackgroundPieces(QSize client);

// The settings dialog's frame: the same template with a 30-pixel title area.
QList<SkinPiece> dialogBackgroundPieces(QSize client);

// The rounded outline of a window of the given outer size as rows of pixels: every corner
// loses the pixels outside a 4 × 4 corner ellipse ((0, 0), (1, 0) and (0, 1) at the top left,
// mirrored at the other corners).
QList<QRect> roundedOutline(QSize outer);
