#pragma once

#include "download/game_download.h"

class BA1;

// The game download flow's view onto the main window: lblCount, dl, lbca, dlting, the tray
// balloon and the OK message box.
class ToolStripDownloadView : public DownloadView {
public:
    explicit ToolStripDownloadView(BA1 &window) : window_(window) {}

    void setCountCaption(const QString &text) override;
    void showCount() override;
    QRect countGeometry() const override;
    void placeProgressBar(const QRect &geometry) override;
    void movePercentLabel(const QPoint &topLeft) override;
    void moveStopButton(const QPoint &topLeft) override;
    void setPercentCaption(const QString &text) override;
    void setProgressShown(bool shown) override;
    void balloon(const QString &text) override;
    void message(const QString &text) override;

private:
    BA1 &window_;
};
