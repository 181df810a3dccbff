#pragma once

#include <QByteArray>
#include <QString>

// The Flash emulator's files as the pane serves them to pages. Only plain file names directly
// inside the folder are served: no "..", no sub-folders, no links pointing out of it.

// The file that urlPath ("/ruffle.js") names inside folder, canonical, or "" when it names
// anything else or does not exist.
QString ruffleFilePath(const QString &folder, const QString &urlPath);

// The content type for a served file; the engine compiles the emulator's code only when it
// comes as "application/wasm".
QByteArray ruffleFileType(const QString &fileName);
