#pragma once

#include <QObject>
#include <QString>

// The object the client's document script talks to over the page's web channel. Its one
// slot is all that script can reach.
class PageBridge : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    // kind: "navigate", "newWindow", "contextMenu" or "frameError" (see page_bridge.js).
    void report(const QString &kind, const QString &text) { emit reported(kind, text); }

signals:
    void reported(const QString &kind, const QString &text);
};
