#pragma once

class QWebEngineProfile;

// The one profile every pane shares, stored in the program folder's "profile" folder, so that
// cookies and game saves (Flash shared objects live in the pages' local storage) survive a
// restart. Created on first use with the program folder of that moment; it carries the
// engine settings, the user scripts and the emulator's scheme handler.
QWebEngineProfile *sharedWebProfile();
