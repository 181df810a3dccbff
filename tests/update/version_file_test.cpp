#include "update/version_file.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    const char *name;
    QByteArray bytes;
    std::optional<QString> exitSwitch, adSwitch, latestVersion;
};

const std::nullopt_t none = std::nullopt;

} // namespace

TEST(VersionFile, SplitsAtEverySeparator)
{
    const Split rows[] = {
        {"all three", "1====0====1.0", "1", "0", "1.0"},
        {"CR LF after the version", "0====1====1.1\r\n", "0", "1", "1.1"},
        {"Unix line end", "0====1====1.1\n", "0", "1", "1.1"},
        {"no version field", "1====1", "1", "1", none},
        {"empty fields", "========", "", "", ""},
        {"fourth field ignored", "1====1====2.0====junk", "1", "1", "2.0"},
        {"line ends stay in the switches", "1\r\n====1\r\n====2.0", "1\r\n", "1\r\n", "2.0"},
        {"spaces kept", " 1 ==== 1 ==== 1.0 ", " 1 ", " 1 ", " 1.0 "},
        {"five equals signs", "1=====1", "1", "=1", none},
        {"UTF-8", "1====1====版本2", "1", "1", QStringLiteral("版本2")},
        {"GBK bytes read as Latin-1", "1====1====\xb0\xe6\xb1\xbe", "1", "1", QStringLiteral("\u00b0\u00e6\u00b1\u00be")},
        {"lone high byte", "\xff====\xfe", QStringLiteral("\u00ff"), QStringLiteral("\u00fe"), none},
        {"an error page", "<html>404 Not Found</html>", none, none, none},
        {"empty", "", none, none, none},
        {"three equals signs", "1===1===1.1", none, none, none},
        {"binary with separators", QByteArray("\x00\x01====1====2.0", 15), none, none, none},
        {"escape byte", "1====1====2.0\x1b", none, none, none},
    };
    for (const Split &row : rows) {
        const VersionFile file = parseVersionFile(row.bytes);
        EXPECT_EQ(file.exitSwitch, row.exitSwitch) << row.name;
        EXPECT_EQ(file.adSwitch, row.adSwitch) << row.name;
        EXPECT_EQ(file.latestVersion, row.latestVersion) << row.name;
    }
}

TEST(VersionFile, AutomaticCheckAsksForANumberThatDiffersAsText)
{
    const struct {
        const char *latest, *local;
        bool asks;
    } rows[] = {
        {"1.1", "1.0", true},
        {"0.9", "1.0", true},   // no ordering: any difference counts
        {"1.0", "1.0", false},
        {"1.0", "  1.0  ", false}, // this client's version is trimmed
        {"1.00", "1.0", true},  // compared as text, not as numbers
        {"1.1 ", "1.1", true},  // the server's version is not trimmed
        {"", "1.0", false},
        {"abc", "1.0", false},
        {"0", "1.0", false},
        {"0.0", "1.0", false},
        {"1,5", "1.0", false},  // decimal point only, whatever the locale
        {"nan", "1.0", false},
        {"inf", "1.0", false},
        {"2e1", "1.0", true},
        {"V2", "1.0", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(offersUpgrade(row.latest, row.local), row.asks) << row.latest << " vs " << row.local;
}

TEST(VersionFile, ManualCheckNeedsNoNumber)
{
    EXPECT_FALSE(manualCheckOffersUpgrade("", "1.0"));
    EXPECT_FALSE(manualCheckOffersUpgrade("1.0", " 1.0 "));
    EXPECT_TRUE(manualCheckOffersUpgrade("abc", "1.0"));
    EXPECT_TRUE(manualCheckOffersUpgrade("0", "1.0"));
    EXPECT_TRUE(manualCheckOffersUpgrade("1.0", "1.0 beta"));
}

TEST(VersionFile, AdSwitchIsTheNumberOne)
{
    for (const char *on : {"1", " 1 ", "1.0", "01", "1\r\n", "+1"})
        EXPECT_TRUE(isAdSwitchOn(on)) << on;
    for (const char *off : {"", "0", "2", "yes", "1a", "-1", "0.5", "1 1"})
        EXPECT_FALSE(isAdSwitchOn(off)) << off;
}
