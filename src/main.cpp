#include "browser/web_schemes.h"
#include "mainwindow/ba1.h"
#include "shell/single_instance.h"
#include "startup/startup.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char **argv)
{
    registerWebSchemes();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tamsa游戏盒");
    StartUp();

    // A second start wakes the running client and ends before it shows anything.
    SingleInstance instance;
    if (!instance.claim(QApplication::arguments().join(' ')))
        return 0;

    // The window deletes itself when it closes; whatever is left goes before the engine does.
    QPointer<BA1> window = new BA1;
    QObject::connect(&instance, &SingleInstance::executeRequested, window, &BA1::Form_LinkExecute);
    window->show();
    const int status = QApplication::exec();
    delete window;
    return status;
}
