#pragma once

#include <QString>

#include <array>

// The settings page's four check boxes Check1(0..3), by index, and the S_q keys of config.ini
// they edit: "1" when unchecked, "2" when checked.
enum class SettingsBox { SaveSize = 0, AutoStart = 1, BalloonTips = 2, CloseToTray = 3 };
constexpr int kSettingsBoxCount = 4;
using SettingsChecks = std::array<bool, kSettingsBoxCount>; // indexed by the box's number

// The key a box edits: s_size, s_kai, s_pao, quit.
QString settingsKey(SettingsBox box);

// What the settings dialog reads and writes, without the dialog. The auto-start box also
// writes or removes the autostart entry for `executable` in `autostartFolder`.
class SettingsChoices {
public:
    SettingsChoices(QString configPath, QString executable, QString autostartFolder);

    // Each box is checked unless its key reads as the number 1: a missing section, key or any
    // other value shows it checked.
    SettingsChecks load() const;

    // Writes s_size, s_kai (then writes or removes the autostart entry, on every apply),
    // s_pao and quit, in that order. A write that fails does not stop the ones after it, and
    // nothing is reported: the dialog shows no message.
    void apply(const SettingsChecks &checks) const;

private:
    QString configPath_;
    QString executable_;
    QString autostartFolder_;
};
