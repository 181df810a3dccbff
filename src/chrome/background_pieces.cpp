#include "chrome/background_pieces.h"

namespace {

// Both frames share the bottom and the top pieces' columns; they differ in how tall the top
// pieces are and which rows of the template the side edges stretch.
QList<SkinPiece> framePieces(QSize client, int topHeight, int sideRows)
{
    const int w = client.width();
    const int h = client.height();
    return {
        {QRect(0, topHeight, 35, sideRows), QRect(0, topHeight, 35, h - topHeight)},
        {QRect(65, topHeight, 35, sideRows), QRect(w - 35, topHeight, 35, h - topHeight)},
        {QRect(35, 103, 30, 30), QRect(35, h - 30, w - 70, 30)},
        {QRect(0, 103, 35, 30), QRect(0, h - 30, 35, 30)},
        {QRect(65, 103, 35, 30), QRect(w - 35, h - 30, 35, 30)},
        {QRect(70, 0, 20, topHeight), QRect(70, 0, w - 80, topHeight)},
        {QRect(0, 0, 70, topHeight), QRect(0, 0, 70, topHeight)},
        {QRect(90, 0, 10, topHeight), QRect(w - 10, 0, 10, topHeight)},
    };
}

} // namespace

QList<SkinPiece> windowBackgroundPieces(QSize client) { return framePieces(client, 96, 7); }

QList<SkinPiece> dialogBackgroundPieces(QSize client) { return framePieces(client, 30, 73); }

QList<QRect> roundedOutline(QSize outer)
{
    const int w = outer.width();
    const int h = outer.height();
    if (w < 4 || h < 4)
        return {QRect(QPoint(0, 0), outer)};
    return {
        QRect(2, 0, w - 4, 1),
        QRect(1, 1, w - 2, 1),
        QRect(0, 2, w, h - 4),
        QRect(1, h - 2, w - 2, 1),
        QRect(2, h - 1, w - 4, 1),
    };
}
