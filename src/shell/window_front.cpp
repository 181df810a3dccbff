#include "shell/window_front.h"

#include <QWidget>

void restoreFromMinimised(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
}

void bringToFront(QWidget *window)
{
    // Hiding first makes the window manager treat the show as a new window, which it puts
    // on top; the state is cleared before showing so the window is not mapped iconified.
    window->hide();
    restoreFromMinimised(window);
    window->show();
    window->raise();
    window->activateWindow();
}
