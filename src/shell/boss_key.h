#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// Captions of the boss key label `renj`.
inline const QString kBossKeyCaption = QStringLiteral("老板键 Ctrl+S");
inline const QString kBossKeyConflictText = QStringLiteral("老板键ctrlt+s与其他软件冲突,未启用!");

// The windows that the boss key closes along with hiding the main window (settings dialog,
// menu form, ad window), asked for at each press since they come and go. Each is closed
// with QWidget::close(); a window that should be destroyed sets Qt::WA_DeleteOnClose.
using SecondaryWindows = std::function<QList<QWidget *>()>;

// Claims Control+S for the whole desktop. Each press while `mainWindow` is visible removes
// the tray icon, hides the window and closes the secondary windows; the next press adds the
// tray icon, shows the window and restores it when minimised. False when the key could not
// be claimed (another program holds it, or the session has no global keys): the caller puts
// kBossKeyConflictText on `renj`, and the key does nothing. The claim ends with `mainWindow`.
bool RegisterBossKey(QWidget *mainWindow, SecondaryWindows secondaryWindows);
