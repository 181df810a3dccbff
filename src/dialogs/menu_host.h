#pragma once

#include <QString>

class BA2;
class BrowserPane;
class QWidget;

// What the popup menus ask of the window that owns them: the menu form knows the main window
// only through this.
class MenuHost {
public:
    virtual ~MenuHost() = default;

    // The window the menus, the settings dialog and the desktop's focus belong to.
    virtual QWidget *menuWindow() = 0;
    virtual BrowserPane &portalPane() = 0;
    virtual bool isTopmost() const = 0;
    virtual void setTopmost(bool on) = 0;
    virtual BA2 *openSettingsDialog() = 0;
    virtual void checkForUpdate() = 0;
    virtual void quit() = 0;
    // The entry menu's actions on the entry under the last right-click.
    virtual void openContextEntry() = 0;
    virtual void deleteContextEntry() = 0;
    virtual QString portalAddress() const = 0;
};
