#include "shell/tray_icon.h"

#include "shell/window_front.h"
#include "base/ini_file.h"
#include "base/program_folder.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {

struct Tray {
    QPointer<QWidget> window;
    QPointer<QMenu> menu;
    QPointer<QSystemTrayIcon> icon;
    TrayIconRecord record;
};

Tray &tray()
{
    static Tray state;
    return state;
}

QIcon windowIcon(QWidget *window)
{
    // The desktop shows no entry for an icon without a picture; fall back to a stock one.
    const QIcon icon = window->windowIcon();
    return icon.isNull() ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon) : icon;
}

TrayClick clickOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    // The second press of a double click arrives as its own reason; like two releases of the
    // left button it acts a second time.
    case QSystemTrayIcon::DoubleClick:
        return TrayClick::Left;
    case QSystemTrayIcon::Context:
        return TrayClick::Right;
    default:
        return TrayClick::Other;
    }
}

void tray_proc(QSystemTrayIcon::ActivationReason reason)
{
    QWidget *window = tray().window;
    if (!window)
        return;
    switch (trayClickAction(clickOf(reason), {window->isMinimized(), window->isVisible()})) {
    case TrayAction::RestoreFromMinimised:
        restoreFromMinimised(window);
        break;
    case TrayAction::HideWindow:
        window->hide();
        break;
    case TrayAction::ShowWindow:
        window->show();
        break;
    case TrayAction::PopUpMenu:
        if (tray().menu)
            tray().menu->popup(QCursor::pos());
        break;
    case TrayAction::None:
        break;
    }
}

void sendRecord(QSystemTrayIcon *icon, QWidget *window)
{
    icon->setIcon(windowIcon(window));
    icon->setToolTip(tray().record.tip);
}

// Qt hands balloons to the desktop's notification server when a status-notifier watcher
// serves the tray, and that server reads their text as markup; otherwise Qt draws them itself,
// as plain text. The text is the portal's in part (game names), so markup in it stays text.
QString balloonTextShown(const QString &text)
{
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    const bool markup = bus && bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
    return markup ? text.toHtmlEscaped() : text;
}

bool balloonsSwitchedOff()
{
    return IniFile(programPath("config.ini")).readInt("S_q", "s_pao") == 1;
}

} // namespace

void tray_install(QWidget *window, QMenu *menu, const QString &tip)
{
    Tray &state = tray();
    if (state.icon)
        return;
    state.window = window;
    state.menu = menu;
    state.record = trayRecordForInstall(tip);
    // Owned by the window, so the icon cannot outlive what its clicks act on.
    state.icon = new QSystemTrayIcon(window);
    QObject::connect(state.icon, &QSystemTrayIcon::activated, state.icon, &tray_proc);
    sendRecord(state.icon, window);
    state.icon->show();
}

void tray_balloon(const QString &message)
{
    Tray &state = tray();
    if (!state.icon || !state.window || balloonsSwitchedOff())
        return;
    trayRecordBalloon(state.record, message, state.window->windowTitle());
    sendRecord(state.icon, state.window);
    state.icon->showMessage(state.record.balloonTitle, balloonTextShown(state.record.balloonText),
                            QSystemTrayIcon::Information);
}

void tray_remove()
{
    Tray &state = tray();
    state.record.flags = 0;
    delete state.icon.data();
}

void tray_hide_icon()
{
    if (tray().icon)
        tray().icon->hide();
}

void tray_show_icon()
{
    Tray &state = tray();
    if (!state.icon || !state.window)
        return;
    sendRecord(state.icon, state.window);
    state.icon->show();
}

bool tray_in_notification_area()
{
    return tray().icon && tray().icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

const TrayIconRecord &tray_record()
{
    return tray().record;
}

QSystemTrayIcon *tray_icon()
{
    return tray().icon;
}
