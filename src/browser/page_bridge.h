#pragma once

#include <QObject>
#include <QString>

// The object the client's document script talks to over the page's web channel. Its one
// slot is all that script can reach.
class PageBridge : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Longer texts are dropped (in UTF-16 units); page_bridge.js does not send them either.
    static constexpr qsizetype kLongestReport = 64 * 1024;

public slots:
    // kind: "navigate", "newWindow", "contextMenu" or "frameError" (see page_bridge.js).
    void report(const QString &kind, const QString &text)
    {
        if (text.size() <= kLongestReport)
            emit reported(kind, text);
    }

signals:
    void reported(const QString &kind, const QString &text);
};
