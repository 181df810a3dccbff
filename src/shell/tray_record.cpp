#include "shell/tray_record.h"

TrayIconRecord trayRecordForInstall(const QString &tip)
{
    TrayIconRecord record;
    record.flags = TrayIconRecord::kInstalledFlags;
    record.tip = cutToWidth(tip, TrayIconRecord::kTipWidth);
    return record;
}

void trayRecordBalloon(TrayIconRecord &record, const QString &message, const QString &tip)
{
    record.balloonText = cutToWidth(message, TrayIconRecord::kBalloonTextWidth);
    record.balloonTitle = cutToWidth(kBalloonTitle, TrayIconRecord::kBalloonTitleWidth);
    record.tip = cutToWidth(tip, TrayIconRecord::kTipWidth);
    record.balloonIconFlags = 1;
}

QString cutToWidth(const QString &text, int width)
{
    int end = 0;
    for (int count = 0; count < width && end < text.size(); ++count) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size()
            && text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

TrayAction trayClickAction(TrayClick click, MainWindowState window)
{
    switch (click) {
    case TrayClick::Left:
        if (window.minimised)
            return TrayAction::RestoreFromMinimised;
        return window.visible ? TrayAction::HideWindow : TrayAction::ShowWindow;
    case TrayClick::Right:
        return TrayAction::PopUpMenu;
    case TrayClick::Other:
        break;
    }
    return TrayAction::None;
}
