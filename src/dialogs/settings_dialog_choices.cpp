#include "dialogs/settings_dialog_choices.h"

#include "shell/autostart.h"
#include "base/ini_file.h"

namespace {
const QString kSection = QStringLiteral("S_q");
}

QString settingsKey(SettingsBox box)
{
    switch (box) {
    case SettingsBox::SaveSize:
        return "s_size";
    case SettingsBox::AutoStart:
        return "s_kai";
    case SettingsBox::BalloonTips:
        return "s_pao";
    case SettingsBox::CloseToTray:
        return "quit";
    }
    return {};
}

SettingsChoices::SettingsChoices(QString configPath, QString executable, QString autostartFolder)
    : configPath_(std::move(configPath)), executable_(std::move(executable)),
      autostartFolder_(std::move(autostartFolder))
{
}

SettingsChecks SettingsChoices::load() const
{
    const IniFile config(configPath_);
    SettingsChecks checks{};
    for (int i = 0; i < kSettingsBoxCount; ++i)
        checks[i] = config.readInt(kSection, settingsKey(SettingsBox(i))) != 1;
    return checks;
}

void SettingsChoices::apply(const SettingsChecks &checks) const
{
    const IniFile config(configPath_);
    // The boxes are numbered in the order their keys are written.
    for (int i = 0; i < kSettingsBoxCount; ++i) {
        config.write(kSection, settingsKey(SettingsBox(i)), checks[i] ? "2" : "1");
        if (SettingsBox(i) != SettingsBox::AutoStart)
            continue;
        if (checks[i])
            writeAutostartEntry(executable_, autostartFolder_);
        else
            removeAutostartEntry(autostartFolder_);
    }
}
