#pragma once

#include <httplib.h>

#include <string>

struct SiteSettings {
    std::string siteDir;     // static files, and games/games.txt
    std::string versionFile; // empty = the built-in version file
    std::string versionRedirect; // non-empty: the version file redirects to this path
};

// The demo portal: home page, player and game pages, info pages, version file,
// statistics beacon and the static files of the site folder.
void addSiteRoutes(httplib::Server &server, const SiteSettings &settings);
