// The version file split on any answer a portal might give, and the decisions taken on it.
#include "fuzz_support.h"
#include "update/version_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const VersionFile file = parseVersionFile(bytes);
    FUZZ_CHECK(file.exitSwitch.has_value() == file.adSwitch.has_value());
    FUZZ_CHECK(!file.latestVersion || file.adSwitch);
    if (!file.exitSwitch) {
        FUZZ_CHECK(!file.latestVersion);
        return 0;
    }
    FUZZ_CHECK(bytes.contains("===="));
    // The version may come to hold "====" once its line breaks are gone; the switches never.
    FUZZ_CHECK(!file.exitSwitch->contains("====") && !file.adSwitch->contains("===="));
    if (file.latestVersion) {
        FUZZ_CHECK(!file.latestVersion->contains('\r') && !file.latestVersion->contains('\n'));
        // The client's own version is never offered to it (a version with blanks around it
        // differs as text from every trimmed local version, on purpose).
        const QString &latest = *file.latestVersion;
        if (latest == latest.trimmed()) {
            FUZZ_CHECK(!offersUpgrade(latest, latest));
            FUZZ_CHECK(!manualCheckOffersUpgrade(latest, " " + latest));
        }
    }
    isAdSwitchOn(*file.adSwitch);
    return 0;
}
