#pragma once

#include <QProcess>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class QMenu;
class QRect;

// What a player's desktop adds to the bare test display: a window manager (openbox), so that
// minimising really takes a window off the screen, and a notification area (trayer, an XEmbed
// tray host), so that the client's icon docks and can be clicked. Whatever the display has
// already is used as it is; what was started here stops with the object.
class TestDesktop {
public:
    TestDesktop();
    ~TestDesktop();
    // True once the display has both.
    bool ready() const;

private:
    QProcess windowManager_;
    QProcess trayHost_;
};

// Tests on that desktop around a main window titled "Tamsa游戏盒", shown at the start of each.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    // Removes the tray icon, if any, and the window.
    void TearDown() override;

    // The tray icon with a one-item main menu `menu_`, docked.
    void installTray();
    static bool iconDocked();
    bool exposed() const;

    std::unique_ptr<QWidget> window_;
    QMenu *menu_ = nullptr;

private:
    static TestDesktop *desktop_;
};

// Runs xdotool with these arguments (real input through the X server); true when it succeeded.
bool xdotool(const QStringList &arguments);

// Clicks `button` (1 left, 3 right) in the middle of a rectangle given in screen pixels.
bool clickAt(const QRect &rect, int button);
