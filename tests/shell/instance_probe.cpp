// One start of a program that keeps to one instance: instance_probe FOLDER TEXT COUNT WAIT_MS.
// Prints "second" and ends when another instance took TEXT; otherwise prints "first", then
// "got:" and each command text handed over, until COUNT came or WAIT_MS passed.
#include "shell/single_instance.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    SingleInstance instance(args[1]);
    if (!instance.claim(args[2])) {
        std::printf("second\n");
        return 0;
    }
    std::printf("first\n");
    std::fflush(stdout);
    int left = args[3].toInt();
    QObject::connect(&instance, &SingleInstance::executeRequested, [&](const QString &text) {
        std::printf("got:%s\n", text.toUtf8().constData());
        std::fflush(stdout);
        if (--left <= 0)
            app.quit();
    });
    QTimer::singleShot(args[4].toInt(), &app, &QCoreApplication::quit);
    return left > 0 ? app.exec() : 0;
}
