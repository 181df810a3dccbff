#include "browser/address_text.h"

#include <QRegularExpression>

const QStringList &engineSchemes()
{
    static const QStringList schemes{"http", "https", "file", "about", "data", "blob",
                                     "javascript", "ftp", "ws", "wss", "qrc"};
    return schemes;
}

static QString schemeOf(const QString &text)
{
    static const QRegularExpression scheme("^([A-Za-z][A-Za-z0-9+.-]*):");
    const QRegularExpressionMatch match = scheme.match(text.trimmed());
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isPrivateScheme(const QString &scheme)
{
    return !scheme.isEmpty() && !engineSchemes().contains(scheme.toLower());
}

bool isPrivateLink(const QString &text) { return isPrivateScheme(schemeOf(text)); }

QString engineLinkText(const QUrl &url)
{
    if (url.isValid())
        return url.toString(QUrl::FullyEncoded);
    static const QRegularExpression quotedSource("source was \"(.*)\"; scheme = ");
    const QString source = quotedSource.match(url.errorString()).captured(1);
    const QString scheme = url.scheme() + ":";
    return source.startsWith(scheme, Qt::CaseInsensitive) ? source : scheme + "//" + source;
}

bool isWebUrl(const QUrl &url) { return url.scheme() == "http" || url.scheme() == "https"; }

QUrl addressToUrl(const QString &address)
{
    if (!address.startsWith('/'))
        return QUrl(address);
    const int queryStart = address.indexOf('?');
    QUrl url = QUrl::fromLocalFile(queryStart < 0 ? address : address.left(queryStart));
    if (queryStart >= 0)
        url.setQuery(address.mid(queryStart + 1));
    return url;
}

QString urlToAddress(const QUrl &url)
{
    if (!url.isLocalFile())
        return url.toString(QUrl::FullyEncoded);
    QString address = url.toLocalFile();
    if (url.hasQuery())
        address += '?' + url.query(QUrl::FullyEncoded);
    return address;
}
