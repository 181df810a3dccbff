#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <memory>

class PartFile;
class QNetworkReply;

// The transfer behind the download control bkDLControl: fetches one URL into one file and
// reports each stage as an event. The body is streamed into a temporary file beside the
// destination and renamed into place after the last byte has been flushed to the disk (on a
// worker thread), so memory stays flat and a failed, cancelled or stalled transfer leaves
// nothing at the destination. Byte counts are 64-bit.
//
// Every failure raises DLError and then DLComplete(0); a saved file raises DLComplete(bytes);
// CancelDownload raises DLCanceled only. Events are delivered on the thread of this object.
class DownloadTransfer : public QObject {
    Q_OBJECT
public:
    // DLError codes.
    enum ErrorCode {
        StartFailed = 1,     // the request could not be issued
        RedirectRefused = 2, // the server redirected and FailOnRedirect is set
        ZeroBytes = 3,       // the body was empty
        SaveFailed = 4,      // the file could not be written or put in place
        TransferFailed = 99, // network error, HTTP status >= 400, break-off, stall or refused body
    };

    static constexpr int kDefaultStallTimeoutMs = 30000;

    explicit DownloadTransfer(QObject *parent = nullptr);
    ~DownloadTransfer() override; // cancels a running transfer without raising events

    QString FileURL() const { return fileUrl_; }
    void setFileURL(const QString &url);
    // Writing takes a full file path; reading returns only its folder (with the trailing "/").
    QString SaveFilePath() const { return saveFilePath_; }
    void setSaveFilePath(const QString &path);
    // The destination; empty until both FileURL and SaveFilePath are set.
    QString SaveFileName() const { return saveFileName_; }
    bool FailOnRedirect() const { return failOnRedirect_; }
    void setFailOnRedirect(bool fail);
    // Reads false whenever FailOnRedirect is set, whatever was stored.
    bool RenameOnRedirect() const { return renameOnRedirect_ && !failOnRedirect_; }
    void setRenameOnRedirect(bool rename);
    bool ShowProgress() const { return showProgress_; }
    void setShowProgress(bool show);

    qint64 FileSize() const { return fileSize_; }
    qint64 BytesRead() const { return bytesRead_; }
    QString ConnectionAddress() const { return connectionAddress_; }
    QString RedirectFile() const { return redirectFile_; }
    QString MIMEType() const { return mimeType_; }
    QString CacheFile() const { return cacheFile_; }
    // Fraction done, 0 to 1; kept after a saved download, reset by a failure or a cancel.
    float Percent() const { return percent_; }
    bool Downloading() const { return downloading_; }

    // False when a transfer runs, FileURL or the folder is empty, or the request cannot be
    // issued (then DLError 1, DLComplete 0 and startFailed). With Wait the event loop runs
    // until the transfer ends and the result tells whether the file was saved.
    bool BeginDownload(bool Wait = false);
    void CancelDownload();

    // A transfer that receives nothing for this long fails with code 99.
    void setStallTimeout(int ms) { stallTimer_.setInterval(ms); }

    // A caller may refuse a body by its first kHeadBytes bytes (fewer when the body is shorter),
    // as it would a refused HTTP status: DLError 99, and the destination stays as it was.
    static constexpr qsizetype kHeadBytes = 8;
    using BodyCheck = std::function<bool(QByteArrayView head)>;
    void setBodyCheck(BodyCheck check) { bodyCheck_ = std::move(check); }

    // Property persistence: values equal to their defaults are not written. Reading sets
    // FileURL and SaveFilePath as stored, without deriving SaveFileName.
    void writeProperties(QVariantMap &bag) const;
    void readProperties(const QVariantMap &bag);

signals:
    void DLProgress(float Percent, qint64 BytesRead, qint64 TotalBytes);
    void DLCanceled();
    void DLError(int E, const QString &Error);
    void DLComplete(qint64 Bytes);
    void DLConnected(const QString &ConnAddr);
    void DLRedirect(const QString &ConnAddr);
    // The network layer keeps no cache file, so this stage does not occur here.
    void DLCacheFile(const QString &FileName);
    void DLMIMEType(const QString &MIMEType);
    void DLFileSize(qint64 Bytes);
    void DLBeginDownload();

    // After every stage: the control's face may have to change.
    void repaintNeeded();
    // After DLError 1 and its DLComplete: the control shows this to the player.
    void startFailed(int number, const QString &description);
    // A property with a setter was set (for the container's persistence).
    void propertyChanged(const QString &name);
    void runEnded(QPrivateSignal);

private:
    void updateSaveFileName();
    void resetDownloadState();
    void sendRequest(const QUrl &url);
    void onConnecting();
    void onHeaders();
    void onData();
    void onFinished();
    void followRedirect();
    void startFile();
    void reportProgress();
    void raiseDownloadError(int code, const QString &text);
    void complete();
    void saveFailed(const QString &path);
    void teardown();
    void dropReply();

    QString fileUrl_;
    QString saveFilePath_;
    QString leafName_;
    QString saveFileName_;
    bool failOnRedirect_ = true;
    bool renameOnRedirect_ = true;
    bool showProgress_ = true;

    bool downloading_ = false;
    bool succeeded_ = false;
    float percent_ = 0;
    qint64 fileSize_ = 0;
    qint64 bytesRead_ = 0;
    QString connectionAddress_;
    QString redirectFile_;
    QString mimeType_;
    QString cacheFile_;

    // One run: the current request, its file and guards against events from a stale reply.
    QNetworkAccessManager manager_;
    QNetworkReply *reply_ = nullptr;
    std::unique_ptr<PartFile> file_;
    QString target_;
    QUrl currentUrl_;
    int redirects_ = 0;
    bool headersSeen_ = false;
    bool connectedRaised_ = false;
    quint64 run_ = 0;
    QTimer stallTimer_;
    QByteArray chunk_;
    BodyCheck bodyCheck_;
    QByteArray head_; // the first bytes of the body, for bodyCheck_
};
