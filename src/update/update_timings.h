#pragma once

// The delays of the version check, in milliseconds. The client keeps these; tests shorten
// them before they build the main window.
struct UpdateTimings {
    int check = 6000;       // main window loaded → version check (the main window's Timer1)
    int fetchLimit = 10000; // the whole transfer of the version file
    int adWindow = 5000;    // check → ad window (the main window's Timer2)
};

UpdateTimings &updateTimings();
