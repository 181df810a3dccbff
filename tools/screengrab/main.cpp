// Saves the X screen, or one window of it, as a PNG: `screengrab out.png [window-id]`.
// Used by `make run` without a display.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2 || !QGuiApplication::primaryScreen())
        return 2;
    const WId window = argc > 2 ? QString::fromLatin1(argv[2]).toULongLong() : 0;
    return QGuiApplication::primaryScreen()->grabWindow(window).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
