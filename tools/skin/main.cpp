// Draws the client's artwork from the vector shapes in this folder.
//
//   skin_artwork <folder>              the skin strips 101..113 and the other pictures, as PNG
//   skin_artwork --delete-icon <file>  the list pages' delete picture, as GIF
//
// The build runs the first form (with QT_QPA_PLATFORM=offscreen) and compiles the results
// into the client's resources. The GIF is kept in resources/app/i.gif; after changing it here,
// regenerate it with: skin_artwork --delete-icon resources/app/i.gif
#include "gif_writer.h"
#include "pictures.h"
#include "strips.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool savePng(const QImage &image, const QString &path)
{
    if (image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "skin_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeArtwork(const QString &folder)
{
    QDir().mkpath(folder);
    bool ok = true;
    const auto strips = drawSkinStrips();
    for (int i = 0; i < kSkinStripCount; ++i)
        ok &= savePng(strips[i], QStringLiteral("%1/%2.png").arg(folder).arg(skinResourceId(0, i)));
    ok &= savePng(drawRetryPicture(), folder + "/retry.png");
    ok &= savePng(drawBullet(), folder + "/bullet.png");
    ok &= savePng(drawAdClosePicture(), folder + "/close_ad.png");
    ok &= savePng(drawRecommendClosePicture(), folder + "/close_recommend.png");
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok &= savePng(drawProgramIcon(size), QStringLiteral("%1/icon_%2.png").arg(folder).arg(size));
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
