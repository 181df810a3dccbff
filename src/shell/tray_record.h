#pragma once

#include <QString>

// The notification icon as data: what the icon shows and what its clicks do. The widget side
// (tray_icon.h) only hands these fields to the desktop's tray.
struct TrayIconRecord {
    // Widths of the text fields, in characters; a longer text is cut.
    static constexpr int kTipWidth = 128;
    static constexpr int kBalloonTextWidth = 256;
    static constexpr int kBalloonTitleWidth = 64;

    // Which fields the icon carries: callback message, icon, tip, balloon.
    enum Flag { Message = 1, Icon = 2, Tip = 4, Balloon = 16 };
    static constexpr int kInstalledFlags = Message | Icon | Tip | Balloon;

    int iconId = 0;
    int flags = 0;
    QString tip;
    QString balloonText;   // the last balloon; empty until the first one
    QString balloonTitle;  // set with the first balloon
    int balloonIconFlags = 0; // 1 = information icon, from the first balloon on
};

inline const QString kBalloonTitle = QStringLiteral("Tamsa游戏盒提示:");

// The record as the icon is first added.
TrayIconRecord trayRecordForInstall(const QString &tip);

// Fills the balloon fields for a message; the tip follows the window caption.
void trayRecordBalloon(TrayIconRecord &record, const QString &message, const QString &tip);

// The first `width` characters of text; a character outside the basic plane counts once and
// is never split.
QString cutToWidth(const QString &text, int width);

// What a click on the icon does, given the main window's state at that moment.
enum class TrayClick { Left, Right, Other };
enum class TrayAction { None, RestoreFromMinimised, HideWindow, ShowWindow, PopUpMenu };

struct MainWindowState {
    bool minimised = false;
    bool visible = false;
};

TrayAction trayClickAction(TrayClick click, MainWindowState window);
