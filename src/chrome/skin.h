#pragma once

#include "chrome/face_table.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>

// The strips ppt(0..12) of the loaded skin. The artwork is generated at build time into the
// resources ":/skin/<id>.png" (skin 0: ids 101..113) by tools/skin.
class Skin {
public:
    // Loads strip i of skin `skinNumber` from its resource; a strip whose resource cannot be
    // loaded keeps its previous picture (empty before the first load). Returns how many loaded.
    // At scale 2 the strips drawn with twice the pixels ("<id>@2x.png") are taken, with that
    // device pixel ratio, so a screen scaled by 2 shows them crisp at the same logical size;
    // by default the scale of the application's screens.
    int load(int skinNumber, int scale = artworkScale());

    // 2 when the application's screens are scaled (QT_SCALE_FACTOR, a high-density display), else 1.
    static int artworkScale();

    // ppt(strip); an empty image for an index outside 0..12.
    const QImage &strip(int strip) const;

    // The cell of a face, copied out of its strip at the strip's pixel ratio (empty when the
    // strip lacks it).
    QImage cut(const Face &face) const;

private:
    std::array<QImage, kSkinStripCount> strips_;
};

// The other pictures of the client, generated with the strips.
namespace SkinPictures {
inline constexpr char kRetry[] = ":/skin/retry.png";                 // P2, 204 × 153
inline constexpr char kBullet[] = ":/skin/bullet.png";               // Image1, 6 × 6
inline constexpr char kAdClose[] = ":/skin/close_ad.png";            // adsb's close picture, 11 × 11
inline constexpr char kRecommendClose[] = ":/skin/close_recommend.png"; // ba4's, 51 × 21
} // namespace SkinPictures

// One of SkinPictures at the artwork scale of the screen (Skin::artworkScale), its size in
// logical pixels either way.
QPixmap skinPicture(const char *resource);

// The program icon in every size it was drawn at (16, 24, 32, 48, 64, 128, 256).
QIcon programIcon();
