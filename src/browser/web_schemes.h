#pragma once

#include <QString>

// The schemes of the portal's private link grammar. Registered, every navigation to them
// reaches the pane (scripted ones and those in frames too), and the engine never hands them
// to the desktop.
inline constexpr const char *kPrivateSchemes[] = {"veloflash", "velojf", "vepbad", "open", "delk"};

// The pane's own scheme that serves the Flash emulator's files to portal pages,
// e.g. "ruffle://player/ruffle.js".
inline constexpr char kRuffleScheme[] = "ruffle";
QString ruffleSchemeBase();

// Registers the schemes above. Call once before the QApplication exists (the engine reads the
// registrations when it starts); later calls do nothing.
void registerWebSchemes();
