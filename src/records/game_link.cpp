#include "records/game_link.h"

#include "base/ini_file.h"

#include <QStringList>

GameLinkFields splitGameLink(const QString &link, const QString &scheme)
{
    QString s = link;
    s.remove(scheme);
    if (s.endsWith('/'))
        s.chop(1);
    const QStringList fields = s.split("$$$");
    GameLinkFields result;
    result.id = fields.value(0);
    if (fields.size() > 1)
        result.address = fields.at(1);
    if (fields.size() > 2)
        result.name = fields.at(2);
    return result;
}

QString gameLinkScheme(const QString &link)
{
    if (link.startsWith(kGameScheme))
        return kGameScheme;
    if (link.startsWith(kPointsScheme))
        return kPointsScheme;
    return {};
}

std::optional<QString> recordId(const QString &idText)
{
    const std::optional<int> n = parseInt32(idText);
    if (!n)
        return std::nullopt;
    return QString::number(*n);
}

bool isFileSafeId(const QString &id)
{
    if (id.isEmpty())
        return false;
    for (const QChar c : id) {
        if (c < '0' || c > '9')
            return false;
    }
    // A number too large for a record id would leave a file that no list shows.
    return recordId(id).has_value();
}

std::optional<QString> downloadedGamePath(const QString &programFolder, const QString &id)
{
    if (!isFileSafeId(id))
        return std::nullopt;
    return programFolder + "/flash/" + id + ".swf";
}

QString gamePageFor(const QString &id, const QString &address, const QString &programFolder,
                    const QString &portalBase, bool localFileExists)
{
    if (localFileExists)
        return programFolder + "/app/flash.htm?" + id;
    if (address.contains("http://"))
        return portalBase + "flash.htm?" + address;
    return portalBase + "app/app.asp?id=" + address;
}
