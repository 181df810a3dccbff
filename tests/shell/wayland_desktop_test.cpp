// On a Wayland desktop (weston with XWayland, wayland_desktop.sh). This test program is a
// native Wayland client, and there no program may claim a key for the whole desktop; the
// client prefers X11 and runs through XWayland, where its window class and boss key work.
#include "pane_driver.h"
#include "shell/boss_key.h"
#include "temp_home.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool mapped(const QString &window) { return run("xwininfo", {"-id", window}).contains("IsViewable"); }

} // namespace

TEST(WaylandDesktop, ANativeWaylandWindowCannotClaimTheBossKey)
{
    ASSERT_EQ(QGuiApplication::platformName(), "wayland");
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(RegisterBossKey(&window, {}));
}

TEST(WaylandDesktop, TheClientRunsThroughXWaylandWithItsWindowClassAndBossKey)
{
    TempHome home(true);
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM"); // the client's own choice
    client.setProcessEnvironment(env);
    client.start(buildHome() + "/play");
    ASSERT_TRUE(client.waitForStarted(5000));

    // Found by its class on XWayland's display, so it is an X11 window named for the menu entry.
    QString window;
    EXPECT_TRUE(waitUntil([&] {
        window = run("xdotool", {"search", "--classname", "^tamsa-gamebox$"}).section('\n', 0, 0);
        return !window.isEmpty() && mapped(window);
    }, 60000));
    if (!window.isEmpty()) {
        run("xdotool", {"key", "ctrl+s"});
        EXPECT_TRUE(waitUntil([&] { return !mapped(window); }, 10000)) << "Ctrl+S hides the window";
        run("xdotool", {"key", "ctrl+s"});
        EXPECT_TRUE(waitUntil([&] { return mapped(window); }, 10000)) << "and brings it back";
    }
    client.kill();
    client.waitForFinished(5000);
}
