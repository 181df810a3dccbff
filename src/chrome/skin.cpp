#include "chrome/skin.h"

// The pictures are compiled into the static library; naming their registration here makes the
// linker keep them in every program that uses the skin. Registering twice is harmless.
static void registerSkinResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(skin);
        return true;
    }();
    Q_UNUSED(registered);
}

int Skin::load(int skinNumber)
{
    registerSkinResources();
    int loaded = 0;
    for (int i = 0; i < kSkinStripCount; ++i) {
        const QImage picture(QStringLiteral(":/skin/%1.png").arg(skinResourceId(skinNumber, i)));
        if (picture.isNull())
            continue;
        strips_[i] = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ++loaded;
    }
    return loaded;
}

const QImage &Skin::strip(int strip) const
{
    static const QImage none;
    return strip >= 0 && strip < kSkinStripCount ? strips_[strip] : none;
}

QImage Skin::cut(const Face &face) const
{
    const QImage &source = strip(face.strip);
    if (!source.rect().contains(face.cell))
        return {};
    return source.copy(face.cell);
}

QIcon programIcon()
{
    registerSkinResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/skin/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}
