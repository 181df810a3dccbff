#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Starting the client with the desktop session: an XDG autostart entry "Tamsa游戏盒.desktop"
// whose Exec is the client's own executable.

inline const QString kAutostartEntryName = QStringLiteral("Tamsa游戏盒.desktop");
// The icon name the installation puts into the hicolor theme.
inline constexpr char kAutostartIconName[] = "tamsa-gamebox";

// $XDG_CONFIG_HOME/autostart when that variable holds an absolute path (the base directory
// rules ignore any other), else ~/.config/autostart.
QString autostartFolder();

// An executable path as one Exec argument, already escaped for the file: double-quoted when it
// holds a reserved character (inside the quotes `"`, `` ` ``, `$` and `\` get a backslash),
// then backslashes, tabs and line ends escaped as a string value, and "%" written "%%".
// Nothing for a path the format cannot carry (empty, relative, or with other control characters).
std::optional<QString> desktopExecArgument(const QString &executable);

// The whole entry for an executable, UTF-8; nothing when the path cannot be carried.
std::optional<QByteArray> autostartEntry(const QString &executable);

// Writes the entry into `folder` (created when missing) by an atomic replace, or removes it.
// Failures are not shown to anyone: the result says whether it worked, and removing an entry
// that is not there counts as a failure.
bool writeAutostartEntry(const QString &executable, const QString &folder = autostartFolder());
bool removeAutostartEntry(const QString &folder = autostartFolder());
