#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The portal's version file (lib/wen.txt): exit switch, ad switch and latest version, in that
// order, separated by "====". A field the file does not have is nullopt, and then leaves the
// client's value as it was.
struct VersionFile {
    std::optional<QString> exitSwitch;    // "1": the recommendation window at exit
    std::optional<QString> adSwitch;      // the number 1: the ad window after the check
    std::optional<QString> latestVersion; // line ends removed
};

// Splits at every "====". Bytes that are not UTF-8 are read as Latin-1, so every byte stays
// one character. Text without "====" (an error page, an empty answer) and binary data (control
// bytes other than tab, CR and LF) have no fields at all.
VersionFile parseVersionFile(const QByteArray &bytes);

// The automatic check asks when the latest version is a finite decimal number other than 0 and
// differs, as exact text, from this client's version with its surrounding spaces trimmed.
// There is no ordering of versions: an older one on the server is offered too.
bool offersUpgrade(const QString &latestVersion, const QString &localVersion);

// The manual check asks whenever the server named a version that differs as text; unlike the
// automatic one it does not need a number.
bool manualCheckOffersUpgrade(const QString &latestVersion, const QString &localVersion);

// The ad switch is on when its text is the number 1, spaces around it allowed ("1", " 1.0").
bool isAdSwitchOn(const QString &adSwitch);
