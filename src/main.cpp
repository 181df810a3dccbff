#include "browser/web_schemes.h"
#include "mainwindow/ba1.h"
#include "mainwindow/test_churn.h"
#include "shell/single_instance.h"
#include "base/program_folder.h"
#include "startup/startup.h"

#include <QApplication>
#include <QPointer>

namespace {

// The name of the menu entry, the icon and the window class, so the desktop groups the
// window under the entry: on X11 the class's instance part (set through RESOURCE_NAME, which
// names it before the first window exists), on Wayland the application id.
constexpr char kDesktopName[] = "tamsa-gamebox";

} // namespace

int main(int argc, char **argv)
{
    registerWebSchemes();
    // X11 first, through XWayland on a Wayland desktop: the window places itself and its ad
    // window, shapes itself and grabs the boss key, none of which Wayland lets a client do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    if (qEnvironmentVariableIsEmpty("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", kDesktopName);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tamsa游戏盒");
    QGuiApplication::setDesktopFileName(kDesktopName);
    prepareProgramFolder();
    StartUp();

    // A second start wakes the running client and ends before it shows anything.
    SingleInstance instance;
    if (!instance.claim(QApplication::arguments().join(' ')))
        return 0;

    // The window deletes itself when it closes; whatever is left goes before the engine does.
    QPointer<BA1> window = new BA1;
    QObject::connect(&instance, &SingleInstance::executeRequested, window, &BA1::Form_LinkExecute);
    window->show();
    if (qEnvironmentVariableIsSet("TAMSA_TEST_CHURN")) // crash tests only
        startTestChurn(window, qEnvironmentVariableIntValue("TAMSA_TEST_CHURN"));
    const int status = QApplication::exec();
    delete window;
    return status;
}
