#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// One GET of a small text file while the event loop keeps running: cache bypassed, the whole
// transfer limited in time and in size, so that a stalled, trickling or endless answer cannot
// hold the client. finished() comes once per OpenURL: with the body of a successful answer,
// or empty for anything else (refused, an error status, too slow, too big).
class TextFetch : public QObject {
    Q_OBJECT
public:
    TextFetch(QNetworkAccessManager *network, int msecs, qint64 maxBytes, QObject *parent = nullptr);
    ~TextFetch() override;

    // A fetch still running is given up (without finished) for the new one.
    void OpenURL(const QUrl &url);

signals:
    void finished(const QByteArray &text);

private:
    void take();
    void end();
    void give(const QByteArray &text);
    void dropReply();

    QNetworkAccessManager *network_;
    qint64 maxBytes_;
    QTimer deadline_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
};
