#pragma once

#include "bench_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPoint>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <atomic>
#include <mutex>
#include <thread>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

// Real input to a web view, and the moment the portal sees the request it leads to.

// Centre of the first element the selector finds in the main document, in view coordinates;
// a null point when there is none.
inline QPoint elementCentre(QWebEngineView *view, const QString &selector)
{
    const QByteArray quoted = QJsonDocument(QJsonArray{selector}).toJson(QJsonDocument::Compact);
    const QString script = QString("(() => { const e = document.querySelector(%1); if (!e) return [];"
                                   " const r = e.getBoundingClientRect();"
                                   " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
                               .arg(QString::fromUtf8(quoted.mid(1, quoted.size() - 2)));
    QVariantList xy;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        xy = value.toList();
        done = true;
    });
    runUntil([&] { return done; }, 10000);
    return xy.size() == 2 ? QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble())) : QPoint();
}

// The widget that takes the view's input, as the window system delivers it.
inline QWidget *inputOf(QWebEngineView *view) { return view->focusProxy(); }

// Notes when a request whose target holds one of the parts reaches the portal, read from the
// portal's request log (it writes each line before answering) by a thread of its own, so that
// work on the program's own thread cannot delay the reading: the time is the server's.
class RequestLogClock {
public:
    explicit RequestLogClock(const QString &logPath) : path_(logPath), log_(logPath)
    {
        log_.open(QIODevice::ReadOnly);
        inotify_ = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(inotify_, QFile::encodeName(logPath).constData(), IN_MODIFY);
        thread_ = std::thread([this] { watch(); });
    }
    ~RequestLogClock()
    {
        stop_ = true;
        thread_.join();
        ::close(inotify_);
    }

    void arm(const QStringList &parts)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        parts_.clear();
        for (const QString &part : parts)
            parts_ << part.toUtf8();
        seenMs_ = -1;
        // Lines already written are earlier requests, whenever the thread gets to read them.
        armedAt_ = QFileInfo(path_).size();
        clock_.start();
    }
    bool seen() const { return seenMs_ >= 0; }
    double ms() const { return seenMs_; }

private:
    void watch()
    {
        QByteArray pending;
        qint64 pendingAt = 0; // the log offset of pending's first byte
        while (!stop_) {
            pollfd changed{inotify_, POLLIN, 0};
            if (::poll(&changed, 1, 50) > 0) {
                char events[4096];
                [[maybe_unused]] const ssize_t size = ::read(inotify_, events, sizeof events);
            }
            pending += log_.readAll();
            for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
                const QByteArray line = pending.left(end);
                const qint64 lineAt = pendingAt;
                pending.remove(0, end + 1);
                pendingAt += end + 1;
                std::lock_guard<std::mutex> lock(mutex_);
                for (const QByteArray &part : parts_) {
                    if (seenMs_ < 0 && lineAt >= armedAt_ && line.contains(part))
                        seenMs_ = clock_.nsecsElapsed() / 1e6;
                }
            }
        }
    }

    QString path_;
    QFile log_;
    qint64 armedAt_ = 0;
    int inotify_ = -1;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    QList<QByteArray> parts_;
    QElapsedTimer clock_;
    std::atomic<double> seenMs_{-1};
};

// Moves the pointer onto the element, lets the page see the hover, then clicks it for real and
// returns the ms until the clock saw the request (-1 when none came within ten seconds).
inline double clickAndTimeRequest(QWebEngineView *view, const QString &selector, RequestLogClock &clock,
                                  const QStringList &requestParts)
{
    const QPoint at = elementCentre(view, selector);
    if (at.isNull())
        return -1;
    QTest::mouseMove(inputOf(view), at);
    runUntil([] { return false; }, 300);
    clock.arm(requestParts);
    QTest::mouseClick(inputOf(view), Qt::LeftButton, {}, at);
    runUntil([&] { return clock.seen(); }, 10000);
    return clock.ms();
}
