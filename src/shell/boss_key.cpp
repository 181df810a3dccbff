#include "shell/boss_key.h"

#include "shell/hotkey.h"
#include "shell/tray_icon.h"
#include "shell/window_front.h"

#include <QWidget>

namespace {

void bossKeyPressed(QWidget *mainWindow, const SecondaryWindows &secondaryWindows)
{
    if (mainWindow->isVisible()) {
        tray_hide_icon();
        mainWindow->hide();
        for (QWidget *window : secondaryWindows()) {
            if (window)
                window->close();
        }
    } else {
        tray_show_icon();
        // Cleared before showing, so the window is not mapped iconified.
        restoreFromMinimised(mainWindow);
        mainWindow->show();
    }
}

} // namespace

bool RegisterBossKey(QWidget *mainWindow, SecondaryWindows secondaryWindows)
{
    auto *hotKey = new GlobalHotKey(mainWindow);
    QObject::connect(hotKey, &GlobalHotKey::pressed, mainWindow,
                     [mainWindow, secondaryWindows = std::move(secondaryWindows)] {
                         bossKeyPressed(mainWindow, secondaryWindows);
                     });
    if (hotKey->grab(Qt::Key_S, Qt::ControlModifier))
        return true;
    delete hotKey;
    return false;
}
