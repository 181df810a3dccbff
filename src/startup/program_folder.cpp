#include "startup/program_folder.h"

#include "startup/ini_file.h"

#include <QCoreApplication>

namespace {
const char kDefaultPortal[] = "http://127.0.0.1:8577/";
}

QString programFolder()
{
    QString folder = qEnvironmentVariable("TAMSA_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

QString programPath(const QString &relative) { return programFolder() + "/" + relative; }

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
