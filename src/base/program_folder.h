#pragma once

#include <QString>

// The folder that holds everything the client writes (config.ini, app/ lists and pages, flash/,
// profile/): $TAMSA_HOME when set; else the executable's folder when it is a writable copy of
// the program; else, for an installed client, the player's own folder
// $XDG_DATA_HOME/Tamsa游戏盒 (~/.local/share/Tamsa游戏盒). Returned without a trailing "/",
// so relative parts are appended as "/config.ini" and so on.
QString programFolder();

// Program folder + "/" + relative, e.g. programPath("app/date_n.dat").
QString programPath(const QString &relative);

// The folder of the files that come with the program (app/flash.htm, app/i.gif, app/ruffle/):
// the executable's folder when they are there, else $TAMSA_HOME.
QString installFolder();
QString installPath(const QString &relative);

// The program folder that goes with an executable in `executableFolder`, by the rules above.
QString programFolderFor(const QString &executableFolder);

// A file in an installation's folder that tells the client not to write there, even when it
// could (as root can): the install rules put it there.
inline constexpr char kInstalledMarker[] = "installed";

// Readies a program folder apart from the installation: creates it with its app/ folder and
// copies in the installation's app/ files that pages use relatively (the player page and the
// list picture) where missing or different, so an upgrade reaches them. The emulator in
// app/ruffle/ stays in the installation.
void prepareProgramFolder();
void prepareProgramFolder(const QString &folder, const QString &installation);

// The portal base URL, ending in "/": `main`/`Portal` of config.ini, else the demo portal.
QString portalBaseUrl();

// The portal's scheme and host with "/", for the system browser.
QString portalHomeUrl(const QString &baseUrl);
