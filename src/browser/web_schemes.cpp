#include "browser/web_schemes.h"

#include <QWebEngineUrlScheme>

QString ruffleSchemeBase() { return QString::fromLatin1(kRuffleScheme) + "://player/"; }

void registerWebSchemes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Path syntax (the default) keeps the text after the scheme as it was written: a host
    // syntax would make the engine rewrite "open://3" into "open://0.0.0.3".
    for (const char *name : kPrivateSchemes)
        QWebEngineUrlScheme::registerScheme(QWebEngineUrlScheme(name));

    // Secure and CORS-enabled so that portal pages may load the emulator and its code from it.
    QWebEngineUrlScheme ruffle(kRuffleScheme);
    ruffle.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    ruffle.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(ruffle);
}
