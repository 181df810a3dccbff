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

bool isPrivateLink(const QString &text)
{
    const QString scheme = schemeOf(text);
    return !scheme.isEmpty() && !engineSchemes().contains(scheme);
}

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
