#pragma once

#include "dialogs/settings_dialog_choices.h"

#include <QWidget>

#include <array>

class ClickLabel;
class QCheckBox;
class QLabel;
class QPushButton;
class Skin;
class SkinButton;
class WindowBackground;

// The settings and about dialog: a skinned tool window above the main window with two pages
// behind two tabs, "关于我们" (0) and "软件设置" (1). The settings page edits four keys of
// config.ini when applied; nothing in the running client changes. It closes, and is deleted,
// by OK, Cancel or its close button `guan`.
class BA2 : public QWidget {
    Q_OBJECT
public:
    // Owned by `mainWindow`, whose icon and skin strips it wears; settings go to `configPath`.
    BA2(QWidget *mainWindow, const Skin &skin, const QString &configPath);

    // Selects page 0 (about) or any other number (settings).
    void lc_Click(int index);
    // Repaints the frame from ppt(0) and reshapes the window.
    void F2_Paint();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void buildControls();
    void buildSettingsPage();
    void buildAboutPage();
    QLabel *addText(QWidget *page, const QString &text, QPoint at, bool bold = false);
    void Form_Load();
    void Form_Resize();
    void cmdApply_Click();
    void cmdOK_Click();

    const Skin &skin_;
    SettingsChoices choices_;
    WindowBackground *background_ = nullptr;
    SkinButton *guan = nullptr;
    QLabel *title_name = nullptr;
    QWidget *Pic1 = nullptr;
    QWidget *tabStrip_ = nullptr;
    std::array<ClickLabel *, 2> lc{};
    QLabel *Im1 = nullptr;
    QWidget *pic4 = nullptr;
    QWidget *Pic2 = nullptr;
    std::array<QCheckBox *, kSettingsBoxCount> Check1{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;
};
