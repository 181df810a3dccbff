#include "browser/ruffle_files.h"

#include <QFileInfo>
#include <QRegularExpression>

QString ruffleFilePath(const QString &folder, const QString &urlPath)
{
    const QString name = urlPath.startsWith('/') ? urlPath.mid(1) : urlPath;
    static const QRegularExpression plainName("^[A-Za-z0-9_-][A-Za-z0-9_.-]*$");
    if (!plainName.match(name).hasMatch())
        return {};
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QFileInfo file(folder + "/" + name);
    if (canonicalFolder.isEmpty() || !file.isFile())
        return {};
    const QString canonicalFile = file.canonicalFilePath();
    if (QFileInfo(canonicalFile).path() != canonicalFolder)
        return {};
    return canonicalFile;
}

QByteArray ruffleFileType(const QString &fileName)
{
    if (fileName.endsWith(".wasm"))
        return "application/wasm";
    if (fileName.endsWith(".js"))
        return "text/javascript";
    if (fileName.endsWith(".map") || fileName.endsWith(".json"))
        return "application/json";
    return "application/octet-stream";
}
