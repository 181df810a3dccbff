#pragma once

#include "chrome/background_pieces.h"

#include <QImage>
#include <QObject>

class QWidget;

// The template ppt(0) cut into `pieces` and stretched onto an image of `client` size that
// starts as the background colour (224, 224, 224). Stretching keeps hard pixel edges.
QImage composeBackground(const QImage &ppt0, QSize client, const QList<SkinPiece> &pieces);

// Gives a window its rounded outline (corner ellipses 4 × 4) for its current outer size.
void apply_window_region(QWidget *window);

// The persistent background of a skinned window: paint_background() recomposes it for a
// client size and reapplies the rounded outline; the window's paint events draw it beneath
// whatever the window paints itself.
class WindowBackground : public QObject {
public:
    using PieceLayout = QList<SkinPiece> (*)(QSize client);

    explicit WindowBackground(QWidget *window, PieceLayout layout = windowBackgroundPieces);

    void paint_background(const QImage &ppt0, QSize client);

    const QImage &image() const { return image_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    PieceLayout layout_;
    QImage image_;
};
