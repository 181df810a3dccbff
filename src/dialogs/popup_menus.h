#pragma once

#include <QObject>

class MenuHost;
class QMenu;
class QPoint;

// The menu form: the main menu (title bar menu button, tray icon), the browser menu over the
// portal pane and the entry menu over the list page. Never shown itself.
class BA3 : public QObject {
    Q_OBJECT
public:
    // A child of the host's window, so it goes with it.
    explicit BA3(MenuHost &host);
    ~BA3() override;

    // The main menu, also the tray icon's.
    QMenu *mainMenu() const { return r_m; }
    void popupMainMenu(const QPoint &globalPos);
    void popupBrowserMenu(const QPoint &globalPos);
    void popupEntryMenu(const QPoint &globalPos);

private:
    void guanwang_Click();
    // Opens the settings dialog on page 0 (about) or 1 (settings), in front of the main
    // window, which comes back first when it was hidden or minimised.
    void openSettings(int page);

    MenuHost &host_;
    QMenu *r_m = nullptr;
    QMenu *myMenu = nullptr;
    QMenu *webc = nullptr;
};
