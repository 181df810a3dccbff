#pragma once

#include <optional>
#include <string>

// Command line of the portal server. Later options win, so a caller can override a
// default it passed earlier (the test helper does so with --lifetime).
struct PortalOptions {
    int port = 8577;           // 0 = any free port
    std::string siteDir;       // empty = the site folder next to the executable
    std::string logFile;       // empty = no request log
    int lifetimeSeconds = 0;   // 0 = run until killed
    std::string versionFile;   // empty = the built-in version file
    std::string versionRedirect; // a path on this server that the version file redirects to
};

// Returns nothing and fills error when the arguments are not understood.
std::optional<PortalOptions> parseOptions(int argc, char **argv, std::string &error);

const char *usageText();
