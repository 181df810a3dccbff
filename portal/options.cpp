#include "options.h"

#include <cstdlib>
#include <cstring>

static bool parseNumber(const char *text, long max, int &out)
{
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > max)
        return false;
    out = static_cast<int>(value);
    return true;
}

std::optional<PortalOptions> parseOptions(int argc, char **argv, std::string &error)
{
    PortalOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            error = "missing value for " + name;
            return std::nullopt;
        }
        const char *value = argv[++i];
        if (name == "--port") {
            if (!parseNumber(value, 65535, options.port)) {
                error = "bad port: " + std::string(value);
                return std::nullopt;
            }
        } else if (name == "--lifetime") {
            if (!parseNumber(value, 24 * 3600 * 365, options.lifetimeSeconds)) {
                error = "bad lifetime: " + std::string(value);
                return std::nullopt;
            }
        } else if (name == "--site") {
            options.siteDir = value;
        } else if (name == "--log") {
            options.logFile = value;
        } else if (name == "--version-file") {
            options.versionFile = value;
        } else if (name == "--version-redirect") {
            // A path on this server, so a test can have a fault route answer for the version file.
            if (value[0] != '/' || value[1] == '/') {
                error = "bad version redirect (need /path): " + std::string(value);
                return std::nullopt;
            }
            options.versionRedirect = value;
        } else {
            error = "unknown option: " + name;
            return std::nullopt;
        }
    }
    return options;
}

const char *usageText()
{
    return "usage: tamsa_portal [--port N] [--site DIR] [--log FILE] [--lifetime SECONDS]"
           " [--version-file FILE] [--version-redirect /PATH]\n";
}
