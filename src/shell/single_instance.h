#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

// The channel through which a later start of the program reaches the running one.
inline const QString kInstanceChannel = QStringLiteral("Tamsa游戏盒|BA1");

// One running instance per user: the first start serves a local socket named kInstanceChannel
// in the user's runtime folder; a later start finds it there, hands over its command line
// and ends. A socket left behind by a crashed instance answers no one and is replaced.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `folder` holds the socket and its lock file; by default $XDG_RUNTIME_DIR (or Qt's
    // per-user substitute when it is not set).
    explicit SingleInstance(QString folder = defaultFolder(), QObject *parent = nullptr);

    // True: no other instance answered, and this one now serves the channel (or runs without
    // it when the socket cannot be made). False: a running instance has been handed
    // `commandText`; the caller ends at once, before it shows anything.
    bool claim(const QString &commandText);

    static QString defaultFolder();

signals:
    // A later start handed over its command line (the execute request).
    void executeRequested(const QString &commandText);

private:
    bool handOver(const QString &commandText) const;
    void serve();
    void acceptRequests();
    static void readRequest(QLocalSocket *socket, QByteArray &request);
    void finishRequest(QLocalSocket *socket, QByteArray &request);

    QString socketPath_;
    QLocalServer server_;
};
