#pragma once

#include <QObject>

class BA1;
class QMenu;

// The menu form: the main menu (title bar menu button, tray icon), the browser menu over the
// portal pane and the entry menu over the list page. Never shown itself.
class BA3 : public QObject {
    Q_OBJECT
public:
    explicit BA3(BA1 &window);
    ~BA3() override;

    QMenu *r_m = nullptr;
    QMenu *myMenu = nullptr;
    QMenu *webc = nullptr;

private:
    void guanwang_Click();
    // Opens the settings dialog on page 0 (about) or 1 (settings), in front of the main
    // window, which comes back first when it was hidden or minimised.
    void openSettings(int page);
    BA1 &window_;
};
