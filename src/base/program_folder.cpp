#include "base/program_folder.h"

#include "base/file_io.h"
#include "base/ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const char kDefaultPortal[] = "http://127.0.0.1:8577/";
const char kUserFolderName[] = "Tamsa游戏盒";

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

// $XDG_DATA_HOME when it is an absolute path (the base directory rules ignore any other),
// else ~/.local/share.
QString userDataHome()
{
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(configured))
        return withoutTrailingSlash(configured);
    return QDir::homePath() + "/.local/share";
}

bool isInstallation(const QString &folder)
{
    return QFileInfo::exists(folder + "/" + kInstalledMarker) || !QFileInfo(folder).isWritable();
}

} // namespace

QString programFolderFor(const QString &executableFolder)
{
    const QString home = qEnvironmentVariable("TAMSA_HOME");
    if (!home.isEmpty())
        return withoutTrailingSlash(home);
    if (!isInstallation(executableFolder))
        return withoutTrailingSlash(executableFolder);
    return userDataHome() + "/" + QString::fromUtf8(kUserFolderName);
}

QString programFolder() { return programFolderFor(QCoreApplication::applicationDirPath()); }

QString programPath(const QString &relative) { return programFolder() + "/" + relative; }

QString installFolder()
{
    // Test programs have no program files beside them; their TAMSA_HOME holds a copy.
    const QString executable = QCoreApplication::applicationDirPath();
    const QString home = qEnvironmentVariable("TAMSA_HOME");
    if (home.isEmpty() || QFileInfo(executable + "/app/ruffle").isDir())
        return withoutTrailingSlash(executable);
    return withoutTrailingSlash(home);
}

QString installPath(const QString &relative) { return installFolder() + "/" + relative; }

void prepareProgramFolder(const QString &folder, const QString &installation)
{
    if (folder == installation)
        return;
    const QString target = folder + "/app";
    QDir().mkpath(target);
    const QFileInfoList files = QDir(installation + "/app").entryInfoList(QDir::Files);
    for (const QFileInfo &file : files) {
        const std::optional<QByteArray> bytes = readWholeFile(file.filePath());
        const QString copy = target + "/" + file.fileName();
        if (bytes && readWholeFile(copy) != bytes)
            replaceFile(copy, *bytes);
    }
}

void prepareProgramFolder() { prepareProgramFolder(programFolder(), installFolder()); }

QString portalBaseUrl()
{
    QString base = IniFile(programPath("config.ini")).read("main", "Portal", "").trimmed();
    if (base.isEmpty())
        return QString::fromLatin1(kDefaultPortal);
    if (!base.endsWith('/'))
        base += '/';
    return base;
}

QString portalHomeUrl(const QString &baseUrl)
{
    // Text only: no QUrl round trip, which would re-encode whatever the setting holds.
    const int schemeEnd = baseUrl.indexOf("://");
    if (schemeEnd < 0)
        return baseUrl;
    const int hostEnd = baseUrl.indexOf('/', schemeEnd + 3);
    return hostEnd < 0 ? baseUrl + "/" : baseUrl.left(hostEnd + 1);
}
