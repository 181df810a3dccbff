#include "chrome/skin.h"

#include <QGuiApplication>

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

int Skin::artworkScale() { return qGuiApp && qGuiApp->devicePixelRatio() > 1 ? 2 : 1; }

int Skin::load(int skinNumber, int scale)
{
    registerSkinResources();
    const QString suffix = scale == 2 ? "@2x" : "";
    int loaded = 0;
    for (int i = 0; i < kSkinStripCount; ++i) {
        const QImage picture(QStringLiteral(":/skin/%1%2.png").arg(skinResourceId(skinNumber, i)).arg(suffix));
        if (picture.isNull())
            continue;
        strips_[i] = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        strips_[i].setDevicePixelRatio(scale == 2 ? 2 : 1);
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
    const qreal ratio = source.devicePixelRatio();
    const QRect pixels(face.cell.topLeft() * ratio, face.cell.size() * ratio);
    if (!source.rect().contains(pixels))
        return {};
    QImage cell = source.copy(pixels);
    cell.setDevicePixelRatio(ratio);
    return cell;
}

QPixmap skinPicture(const char *resource)
{
    registerSkinResources();
    const int scale = Skin::artworkScale();
    QString name = QString::fromLatin1(resource);
    if (scale == 2)
        name.insert(name.lastIndexOf('.'), QLatin1String("@2x"));
    QPixmap picture(name);
    picture.setDevicePixelRatio(scale);
    return picture;
}

QIcon programIcon()
{
    registerSkinResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/skin/icon_%1.png").arg(size), QSize(size, size));
    return icon;
}
