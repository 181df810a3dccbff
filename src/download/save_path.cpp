#include "download/save_path.h"

SavePathParts splitSavePath(const QString &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QString(), path};
    return {path.left(slash + 1), path.mid(slash + 1)};
}

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith('/') ? folder + name : folder + "/" + name;
}

QString nameAfterLastSlash(const QString &text) { return text.mid(text.lastIndexOf('/') + 1); }
