#include "download/download_transfer.h"

#include "base/part_file.h"
#include "download/save_path.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include <algorithm>

namespace {

constexpr int kMaxRedirects = 20;
// Read in large pieces; the reply's own buffer is capped so a slow disk holds the socket
// back instead of filling memory.
constexpr qint64 kChunkBytes = 256 * 1024;
constexpr qint64 kReplyBufferBytes = 1024 * 1024;

bool isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

QString statusText(QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    return ("HTTP " + QString::number(status) + " " + reason).trimmed();
}

} // namespace

DownloadTransfer::DownloadTransfer(QObject *parent) : QObject(parent), chunk_(kChunkBytes, Qt::Uninitialized)
{
    // No cache object is installed, so every fetch goes to the network.
    manager_.setCache(nullptr);
    stallTimer_.setSingleShot(true);
    stallTimer_.setInterval(kDefaultStallTimeoutMs);
    connect(&stallTimer_, &QTimer::timeout, this, [this] {
        raiseDownloadError(TransferFailed,
                           QString("No data received for %1 ms").arg(stallTimer_.interval()));
    });
}

DownloadTransfer::~DownloadTransfer()
{
    if (downloading_)
        teardown();
}

void DownloadTransfer::setFileURL(const QString &url)
{
    fileUrl_ = url;
    updateSaveFileName();
    emit propertyChanged("FileURL");
}

void DownloadTransfer::setSaveFilePath(const QString &path)
{
    const SavePathParts parts = splitSavePath(path);
    saveFilePath_ = parts.folder;
    leafName_ = parts.leaf;
    updateSaveFileName();
    emit propertyChanged("SaveFilePath");
}

void DownloadTransfer::setFailOnRedirect(bool fail)
{
    failOnRedirect_ = fail;
    emit propertyChanged("FailOnRedirect");
}

void DownloadTransfer::setRenameOnRedirect(bool rename)
{
    renameOnRedirect_ = rename;
    emit propertyChanged("RenameOnRedirect");
}

void DownloadTransfer::setShowProgress(bool show)
{
    showProgress_ = show;
    emit propertyChanged("ShowProgress");
}

void DownloadTransfer::updateSaveFileName()
{
    saveFileName_ = (fileUrl_.isEmpty() || saveFilePath_.isEmpty()) ? QString() : joinPath(saveFilePath_, leafName_);
}

void DownloadTransfer::resetDownloadState()
{
    fileSize_ = 0;
    bytesRead_ = 0;
    connectionAddress_.clear();
    cacheFile_.clear();
    redirectFile_.clear();
    mimeType_.clear();
    succeeded_ = false;
}

bool DownloadTransfer::BeginDownload(bool Wait)
{
    if (downloading_ || saveFilePath_.isEmpty() || fileUrl_.isEmpty())
        return false;
    const QUrl url(fileUrl_);
    if (!isWebUrl(url)) {
        const QString description = "Not an http or https address: " + fileUrl_;
        raiseDownloadError(StartFailed, description);
        emit startFailed(QNetworkReply::ProtocolUnknownError, description);
        return false;
    }
    downloading_ = true;
    resetDownloadState();
    redirects_ = 0;
    sendRequest(url);
    if (!Wait)
        return true;

    QPointer<DownloadTransfer> self(this);
    QEventLoop loop;
    connect(this, &DownloadTransfer::runEnded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    // A handler may start the next download before this one's events are over: wait for it too.
    while (self && self->downloading_)
        loop.exec();
    return self && self->succeeded_;
}

void DownloadTransfer::sendRequest(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Redirects are followed here, so that FailOnRedirect can refuse them.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Cache-Control", "no-cache");
    // The bytes on disk must be the served bytes, never a decompressed copy.
    request.setRawHeader("Accept-Encoding", "identity");

    ++run_;
    currentUrl_ = url;
    headersSeen_ = false;
    connectedRaised_ = false;
    reply_ = manager_.get(request);
    reply_->setReadBufferSize(kReplyBufferBytes);
    connect(reply_, &QNetworkReply::socketStartedConnecting, this, &DownloadTransfer::onConnecting);
    connect(reply_, &QNetworkReply::requestSent, this, &DownloadTransfer::onConnecting);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &DownloadTransfer::onHeaders);
    connect(reply_, &QNetworkReply::readyRead, this, &DownloadTransfer::onData);
    connect(reply_, &QNetworkReply::finished, this, &DownloadTransfer::onFinished);
    stallTimer_.start();
}

// Once per request: a new connection reports when it starts, a reused one when it is used.
void DownloadTransfer::onConnecting()
{
    if (connectedRaised_)
        return;
    connectedRaised_ = true;
    connectionAddress_ = currentUrl_.host();
    emit DLConnected(connectionAddress_);
    emit repaintNeeded();
}

void DownloadTransfer::onHeaders()
{
    if (headersSeen_ || !reply_)
        return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return;
    headersSeen_ = true;
    stallTimer_.start();
    const int code = status.toInt();
    if (code >= 300 && code < 400 && reply_->hasRawHeader("Location"))
        followRedirect();
    else if (code < 200 || code >= 300)
        raiseDownloadError(TransferFailed, statusText(reply_));
    else
        startFile();
}

void DownloadTransfer::followRedirect()
{
    const QUrl target = currentUrl_.resolved(reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
    const QString text = target.toString();
    redirectFile_ = text;
    if (failOnRedirect_) {
        raiseDownloadError(RedirectRefused, "Redirected to " + text);
        return;
    }
    // Drop the redirect response before anything else can run.
    dropReply();
    const quint64 run = ++run_;
    emit DLRedirect(text);
    emit repaintNeeded();
    if (run != run_)
        return;
    if (++redirects_ > kMaxRedirects)
        raiseDownloadError(TransferFailed, "Too many redirects, the last to " + text);
    else if (!isWebUrl(target))
        raiseDownloadError(TransferFailed, "Redirected to an address that cannot be fetched: " + text);
    else
        sendRequest(target);
}

// The final response: open the temporary file and announce the data.
void DownloadTransfer::startFile()
{
    const quint64 run = run_;
    const QString type = reply_->header(QNetworkRequest::ContentTypeHeader).toString();
    if (!type.isEmpty()) {
        mimeType_ = type;
        emit DLMIMEType(type);
        emit repaintNeeded();
        if (run != run_)
            return;
    }
    // After a redirect the file may take the target's name; it stays in the same folder.
    target_ = (!redirectFile_.isEmpty() && renameOnRedirect_)
                  ? joinPath(saveFilePath_, nameAfterLastSlash(redirectFile_))
                  : saveFileName_;
    file_ = std::make_unique<PartFile>(target_);
    head_.clear();
    if (!file_->open()) {
        saveFailed(target_);
        return;
    }
    bool sized = false;
    const qint64 announced = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&sized);
    fileSize_ = sized && announced > 0 ? announced : 0;
    emit DLFileSize(fileSize_);
    if (run != run_)
        return;
    emit DLBeginDownload();
    emit repaintNeeded();
}

void DownloadTransfer::onData()
{
    if (!reply_ || !file_)
        return;
    qint64 received = 0;
    while (reply_->bytesAvailable() > 0) {
        const qint64 n = reply_->read(chunk_.data(), chunk_.size());
        if (n <= 0)
            break;
        if (!file_->write(chunk_.constData(), n)) {
            saveFailed(target_);
            return;
        }
        if (head_.size() < kHeadBytes)
            head_.append(chunk_.constData(), std::min(n, kHeadBytes - head_.size()));
        received += n;
    }
    if (received == 0)
        return;
    bytesRead_ += received;
    stallTimer_.start();
    reportProgress();
}

void DownloadTransfer::reportProgress()
{
    percent_ = fileSize_ >= 1 ? float(double(bytesRead_) / double(fileSize_)) : 0.0f;
    emit DLProgress(percent_, bytesRead_, fileSize_);
    emit repaintNeeded();
}

void DownloadTransfer::onFinished()
{
    const quint64 run = run_;
    onHeaders(); // a short response may finish before its headers were looked at
    if (run != run_)
        return;
    if (reply_->error() != QNetworkReply::NoError) {
        raiseDownloadError(TransferFailed, reply_->errorString());
        return;
    }
    if (!file_) {
        raiseDownloadError(TransferFailed, "The server sent no HTTP response");
        return;
    }
    onData();
    if (run != run_)
        return;
    if (fileSize_ > 0 && bytesRead_ != fileSize_) {
        raiseDownloadError(TransferFailed,
                           QString("The transfer ended after %1 of %2 bytes").arg(bytesRead_).arg(fileSize_));
        return;
    }
    reportProgress(); // all data has arrived
    if (run != run_)
        return;
    if (bytesRead_ == 0) {
        raiseDownloadError(ZeroBytes, "Zero bytes retrieved");
        return;
    }
    if (bodyCheck_ && !bodyCheck_(head_)) {
        raiseDownloadError(TransferFailed, "The body is not what was asked for; it begins with " +
                                               QString::fromLatin1(head_.toPercentEncoding()));
        return;
    }
    saveFileName_ = target_;
    dropReply();
    // The flush of a large file takes long (a 200 MB game 350-525 ms), so the window's thread
    // goes on while it runs; a cancel meanwhile discards the file and nothing more is raised.
    file_->commitInBackground([this](bool committed) {
        if (committed)
            complete();
        else
            saveFailed(saveFileName_);
    });
}

// The file is in place under its name.
void DownloadTransfer::complete()
{
    teardown();
    succeeded_ = true;
    // Still downloading while DLComplete runs, so its handlers cannot start another one.
    emit DLComplete(bytesRead_);
    downloading_ = false;
    emit runEnded(QPrivateSignal());
}

void DownloadTransfer::saveFailed(const QString &path)
{
    raiseDownloadError(SaveFailed, file_->errorString() + " [" + path + "]");
}

void DownloadTransfer::raiseDownloadError(int code, const QString &text)
{
    teardown();
    percent_ = 0;
    emit repaintNeeded();
    downloading_ = false;
    emit DLError(code, text);
    emit DLComplete(0);
    emit runEnded(QPrivateSignal());
}

void DownloadTransfer::CancelDownload()
{
    if (!downloading_)
        return;
    teardown();
    percent_ = 0;
    emit repaintNeeded();
    downloading_ = false;
    emit DLCanceled();
    emit runEnded(QPrivateSignal());
}

// Stops the request and throws away an unfinished file; raises nothing.
void DownloadTransfer::teardown()
{
    ++run_;
    dropReply();
    file_.reset();
}

void DownloadTransfer::dropReply()
{
    stallTimer_.stop();
    if (!reply_)
        return;
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
    reply_ = nullptr;
}
