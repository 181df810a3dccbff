#pragma once

#include <QString>

// The folder that holds everything local: $TAMSA_HOME when set, else the executable's folder.
// Returned without a trailing "/", so relative parts are appended as "/config.ini" and so on.
QString programFolder();

// Program folder + "/" + relative, e.g. programPath("app/date_n.dat").
QString programPath(const QString &relative);

// The portal base URL, ending in "/": `main`/`Portal` of config.ini, else the demo portal.
QString portalBaseUrl();

// The portal's scheme and host with "/", for the system browser.
QString portalHomeUrl(const QString &baseUrl);
