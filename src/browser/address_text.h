#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Addresses as the client hands them to a pane: web addresses, absolute local paths with an
// optional "?query", "about:blank", and private links. Private links never become a QUrl:
// QUrl rewrites them ("open://3" turns into "open://0.0.0.3", "%u6D4B" into "%256D4B").

// Schemes the engine loads itself; every other scheme makes a private link.
const QStringList &engineSchemes();

// True for a scheme (any case) the engine does not load.
bool isPrivateScheme(const QString &scheme);

// True when text (leading and trailing blanks aside) starts with a scheme the engine does
// not load, such as "veloflash://...", "open://3" or "vepbad:x".
bool isPrivateLink(const QString &text);

// True for the URL of a document a server sends (http, https), false for a local one.
bool isWebUrl(const QUrl &url);

// The URL to load for a non-private address; an absolute local path keeps its "?query".
QUrl addressToUrl(const QString &address);

// The best text the engine's rewritten URL of a private link still gives: the URL when it
// is valid ("open://0.0.0.3"), else the source its parse error quotes.
QString engineLinkText(const QUrl &url);

// The address text of a loaded URL: local files as their path (plus "?query"), the rest as
// the engine spells them.
QString urlToAddress(const QUrl &url);
