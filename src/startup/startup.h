#pragma once

#include <functional>

// The start-up routine: removes the part files a killed run left behind, makes config.ini hold
// sane values, creates the app folder with its three record files and builds any missing list
// page. Every step is guarded on its own: one that fails is skipped and the next one runs.
// Showing the main window is the caller's.
void StartUp();
