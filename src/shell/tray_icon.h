#pragma once

#include "shell/tray_record.h"

class QMenu;
class QSystemTrayIcon;
class QString;
class QWidget;

// The client's one notification-area icon. A left click shows, hides or restores `window`
// (trayClickAction), a right click pops up `menu` at the cursor. After tray_remove the other
// calls do nothing until tray_install runs again. Texts longer than their field are cut (TrayIconRecord).
void tray_install(QWidget *window, QMenu *menu, const QString &tip);

// A balloon under kBalloonTitle with the information icon; none when the player switched
// balloon tips off (config.ini S_q/s_pao is 1).
void tray_balloon(const QString &message);

void tray_remove();
// The boss key takes the icon away and brings it back with the record unchanged.
void tray_hide_icon();
void tray_show_icon();

// Whether the icon sits in a notification area now, so a window hidden to the tray can be
// brought back through it.
bool tray_in_notification_area();

// What the icon currently carries, and the icon itself (null before tray_install and after
// tray_remove).
const TrayIconRecord &tray_record();
QSystemTrayIcon *tray_icon();
