#pragma once

#include "download/download_transfer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Records every event of a transfer in the order raised.
struct TransferEvents {
    explicit TransferEvents(DownloadTransfer &transfer);

    // Runs the event loop until DLComplete or DLCanceled arrives; false on time-out.
    bool waitForEnd(int msecs = 15000);
    // Runs the event loop until the transfer has read at least `bytes`.
    bool waitForBytes(qint64 bytes, int msecs = 15000);

    QStringList names;
    QList<int> errorCodes;
    QStringList errorTexts;
    QList<qint64> completions;
    QStringList redirects;
    QStringList mimeTypes;
    QList<qint64> fileSizes;
    QList<float> percents;
    QList<qint64> bytesRead;
    QList<qint64> totals;
    bool ended = false;

private:
    QObject context_; // ends the connections with this recorder
};

// Byte i of every body the test portal serves.
QByteArray servedPattern(qint64 size);

// Names in a folder other than "." and "..", hidden ones included.
QStringList filesIn(const QString &folder);
