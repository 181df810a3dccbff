#include "desktop.h"

#include "shell/tray_icon.h"

#include <QGuiApplication>
#include <QMenu>
#include <QRect>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <sys/prctl.h>

#include <csignal>

namespace {

// A running window manager announces itself on the root window (EWMH).
bool windowManagerRunning()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return false;
    xcb_connection_t *connection = x11->connection();
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    if (!atom)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t *property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool running = property && xcb_get_property_value_length(property) > 0;
    free(property);
    free(atom);
    return running;
}

// Openbox announces itself before it manages new windows: a window mapped in between is
// never framed nor exposed. Ready means a window shown now appears.
bool windowManagerManagesWindows()
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        QWidget probe;
        probe.setGeometry(10, 10, 50, 50);
        probe.show();
        if (QTest::qWaitForWindowExposed(&probe, 1000))
            return true;
    }
    return false;
}

// Started so that it ends with this test program even when the program crashes, and never
// changes the display for the tests that run after it.
void startTiedToThisProcess(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(program, arguments);
}

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
}

} // namespace

TestDesktop::TestDesktop()
{
    if (!windowManagerRunning()) {
        startTiedToThisProcess(windowManager_, "openbox", {});
        QTest::qWaitFor([] { return windowManagerRunning(); }, 10000) && windowManagerManagesWindows();
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        startTiedToThisProcess(trayHost_, "trayer",
                               {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                                "120", "--heighttype", "pixel", "--height", "32", "--SetDockType",
                                "false", "--SetPartialStrut", "false"});
        // Whether it came is ready()'s answer, which the tests that need a tray ask.
        static_cast<void>(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000));
    }
}

TestDesktop::~TestDesktop()
{
    stop(trayHost_);
    stop(windowManager_);
}

bool TestDesktop::ready() const
{
    return windowManagerRunning() && QSystemTrayIcon::isSystemTrayAvailable();
}

TestDesktop *DesktopTest::desktop_ = nullptr;

void DesktopTest::SetUpTestSuite()
{
    desktop_ = new TestDesktop;
}

void DesktopTest::TearDownTestSuite()
{
    delete desktop_;
    desktop_ = nullptr;
}

void DesktopTest::SetUp()
{
    ASSERT_TRUE(desktop_->ready()) << "no window manager or notification area (openbox, trayer)";
    window_ = std::make_unique<QWidget>();
    window_->setWindowTitle("Tamsa游戏盒");
    window_->setGeometry(100, 200, 400, 300);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

void DesktopTest::TearDown()
{
    tray_remove();
    window_.reset();
}

void DesktopTest::installTray()
{
    menu_ = new QMenu(window_.get());
    menu_->addAction("软件设置");
    tray_install(window_.get(), menu_, window_->windowTitle());
    ASSERT_TRUE(QTest::qWaitFor([] { return iconDocked(); }, 5000)) << "the icon did not dock";
}

bool DesktopTest::iconDocked()
{
    // Until the host has taken the icon in, it sits at the origin; the host is top right.
    return tray_icon() && tray_icon()->isVisible() && tray_icon()->geometry().x() > 0;
}

bool DesktopTest::exposed() const
{
    return window_->windowHandle()->isExposed();
}

bool xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start("xdotool", arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit
        && tool.exitCode() == 0;
}

bool clickAt(const QRect &rect, int button)
{
    const QPoint centre = rect.center();
    // No --sync: it waits for a motion event that never comes when the pointer is there already.
    if (!xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())}))
        return false;
    QTest::qWait(50);
    return xdotool({"click", QString::number(button)});
}
