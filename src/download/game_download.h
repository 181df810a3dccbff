#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

class DownloadTransfer;
class Records;

// What the game download flow needs of the main window's tool strip, tray and message boxes.
class DownloadView {
public:
    virtual ~DownloadView() = default;

    // lblCount: the status text. The label sizes itself to its caption, so countGeometry()
    // read after setCountCaption() reflects the new text.
    virtual void setCountCaption(const QString &text) = 0;
    virtual void showCount() = 0;
    virtual QRect countGeometry() const = 0;
    // dl (the progress strip), lbca (the percentage) and dlting (the stop mark).
    virtual void placeProgressBar(const QRect &geometry) = 0;
    virtual void movePercentLabel(const QPoint &topLeft) = 0;
    virtual void moveStopButton(const QPoint &topLeft) = 0;
    virtual void setPercentCaption(const QString &text) = 0;
    virtual void setProgressShown(bool shown) = 0;
    // The tray balloon (one text) and a message box with OK under the application title.
    virtual void balloon(const QString &text) = 0;
    virtual void message(const QString &text) = 0;
};

// The main window's side of downloading the game open in the game view into flash/<id>.swf:
// xiazai starts it, the dl_* handlers turn the control's events into texts for the player,
// dlting_Click stops it. Only one game download runs at a time (DownloadFlag). A body that
// does not begin as a Flash movie fails like a missing file and is not kept.
class GameDownload : public QObject {
    Q_OBJECT
public:
    // currentLink returns downurl, the private link of the game in the game view.
    GameDownload(DownloadTransfer &dl, DownloadView &view, const Records &records,
                 std::function<QString()> currentLink, QObject *parent = nullptr);

    // The game view's download tool: a points game cannot be downloaded, any other goes to xiazai.
    void downloadTool();
    void xiazai();
    void dlting_Click();

    bool DownloadFlag() const { return downloadFlag_; }
    QString DownloadGameName() const { return downloadGameName_; }

private:
    void dl_DLBeginDownload();
    void dl_DLProgress(float percent, qint64 bytesRead, qint64 totalBytes);
    void dl_DLCanceled();
    void dl_DLError(int code, const QString &error);
    void dl_DLComplete(qint64 bytes);

    DownloadTransfer &dl_;
    DownloadView &view_;
    const Records &records_;
    std::function<QString()> currentLink_;
    bool downloadFlag_ = false;
    QString downloadGameName_;
};
