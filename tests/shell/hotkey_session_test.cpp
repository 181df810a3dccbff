// A session without desktop-wide grabs (the offscreen platform here, Wayland on a desktop).
#include "shell/boss_key.h"
#include "shell/hotkey.h"

#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

TEST(HotKeySession, WithoutX11TheBossKeyCountsAsNotRegistered)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    GlobalHotKey key;
    EXPECT_FALSE(key.grab(Qt::Key_S, Qt::ControlModifier));
    QWidget window;
    EXPECT_FALSE(RegisterBossKey(&window, [] { return QList<QWidget *>{}; }));
}
