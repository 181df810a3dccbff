#include "transfer_events.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

TransferEvents::TransferEvents(DownloadTransfer &t)
{
    QObject::connect(&t, &DownloadTransfer::DLProgress, &context_, [this](float p, qint64 read, qint64 total) {
        names << "DLProgress";
        percents << p;
        bytesRead << read;
        totals << total;
    });
    QObject::connect(&t, &DownloadTransfer::DLCanceled, &context_, [this] {
        names << "DLCanceled";
        ended = true;
    });
    QObject::connect(&t, &DownloadTransfer::DLError, &context_, [this](int code, const QString &text) {
        names << "DLError";
        errorCodes << code;
        errorTexts << text;
    });
    QObject::connect(&t, &DownloadTransfer::DLComplete, &context_, [this](qint64 bytes) {
        names << "DLComplete";
        completions << bytes;
        ended = true;
    });
    QObject::connect(&t, &DownloadTransfer::DLConnected, &context_, [this](const QString &) { names << "DLConnected"; });
    QObject::connect(&t, &DownloadTransfer::DLRedirect, &context_, [this](const QString &url) {
        names << "DLRedirect";
        redirects << url;
    });
    QObject::connect(&t, &DownloadTransfer::DLMIMEType, &context_, [this](const QString &type) {
        names << "DLMIMEType";
        mimeTypes << type;
    });
    QObject::connect(&t, &DownloadTransfer::DLFileSize, &context_, [this](qint64 size) {
        names << "DLFileSize";
        fileSizes << size;
    });
    QObject::connect(&t, &DownloadTransfer::DLBeginDownload, &context_, [this] { names << "DLBeginDownload"; });
}

static bool runUntil(const std::function<bool()> &done, int msecs)
{
    QDeadlineTimer deadline(msecs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(1);
    }
    return done();
}

bool TransferEvents::waitForEnd(int msecs)
{
    return runUntil([this] { return ended; }, msecs);
}

bool TransferEvents::waitForBytes(qint64 bytes, int msecs)
{
    return runUntil([this, bytes] { return !bytesRead.isEmpty() && bytesRead.last() >= bytes; }, msecs);
}

QByteArray servedPattern(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + 7) & 255);
    return bytes;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
