// Draws the client's artwork from the vector shapes in this folder.
//
//   skin_artwork <folder>              the skin strips 101..113 and the other pictures, as PNG
//   skin_artwork --delete-icon <file>  the list pages' delete picture, as GIF
//
// The build runs the first form (with QT_QPA_PLATFORM=offscreen), which also writes skin.qrc
// and the scalable program icon icon.svg (installed into the icon theme, not compiled in),
// and compiles the results into the client's resources. The GIF is kept in resources/app/i.gif; after changing it here,
// regenerate it with: skin_artwork --delete-icon resources/app/i.gif
#include "gif_writer.h"
#include "glyphs.h"
#include "pictures.h"
#include "strips.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool savePng(const QImage &image, const QString &path)
{
    if (image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "skin_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

// The program icon as vectors, for the icon theme's scalable size.
bool writeScalableIcon(const QString &path)
{
    constexpr int kSize = 256;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSize, kSize));
    svg.setViewBox(QRect(0, 0, kSize, kSize));
    svg.setTitle("Tamsa游戏盒");
    QPainter p;
    if (p.begin(&svg)) {
        drawLogo(p, QRectF(0, 0, kSize, kSize));
        if (p.end())
            return true;
    }
    std::fprintf(stderr, "skin_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

// The pictures and skin.qrc, which lists them under the prefix /skin.
bool writeArtwork(const QString &folder)
{
    QDir().mkpath(folder);
    QList<std::pair<QString, QImage>> pictures;
    // Each strip and picture also at twice the pixels, which the client takes on a screen scaled by 2.
    for (const auto &[scale, suffix] : {std::pair{1, ""}, std::pair{2, "@2x"}}) {
        const auto strips = drawSkinStrips(scale);
        for (int i = 0; i < kSkinStripCount; ++i)
            pictures.append({QStringLiteral("%1%2.png").arg(skinResourceId(0, i)).arg(suffix), strips[i]});
        pictures.append({QStringLiteral("retry%1.png").arg(suffix), drawRetryPicture(scale)});
        pictures.append({QStringLiteral("bullet%1.png").arg(suffix), drawBullet(scale)});
        pictures.append({QStringLiteral("close_ad%1.png").arg(suffix), drawAdClosePicture(scale)});
        pictures.append({QStringLiteral("close_recommend%1.png").arg(suffix), drawRecommendClosePicture(scale)});
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        pictures.append({QStringLiteral("icon_%1.png").arg(size), drawProgramIcon(size)});

    bool ok = true;
    QByteArray qrc = "<RCC>\n  <qresource prefix=\"/skin\">\n";
    for (const auto &[name, image] : pictures) {
        ok &= savePng(image, folder + "/" + name);
        qrc += "    <file>" + name.toUtf8() + "</file>\n";
    }
    qrc += "  </qresource>\n</RCC>\n";
    ok &= writeScalableIcon(folder + "/icon.svg");
    QFile list(folder + "/skin.qrc");
    ok &= list.open(QIODevice::WriteOnly | QIODevice::Truncate) && list.write(qrc) == qrc.size();
    return ok;
}

bool writeDeleteIcon(const QString &path)
{
    const auto gif = encodeGif(drawDeleteIcon());
    QFile file(path);
    if (gif && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(*gif) == gif->size())
        return true;
    std::fprintf(stderr, "skin_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // fonts for the labels
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && !args[0].startsWith("--"))
        return writeArtwork(args[0]) ? 0 : 1;
    if (args.size() == 2 && args[0] == "--delete-icon")
        return writeDeleteIcon(args[1]) ? 0 : 1;
    std::fprintf(stderr, "usage: skin_artwork <folder> | --delete-icon <file.gif>\n");
    return 2;
}
