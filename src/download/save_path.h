#pragma once

#include <QString>

// How the download control splits a destination into its folder and file name. Only "/"
// separates: on this system a backslash is an ordinary file name character.
struct SavePathParts {
    QString folder; // everything up to and including the last "/"; empty without one
    QString leaf;   // the last component
};

// The folder is the path without its last component, so a leaf that also occurs earlier in
// the path ("/a/a") cannot eat the folder.
SavePathParts splitSavePath(const QString &path);

// folder + "/" + name, without doubling a "/" that ends the folder.
QString joinPath(const QString &folder, const QString &name);

// The text after the last "/" of a URL: the name a redirected download is saved under.
QString nameAfterLastSlash(const QString &text);
