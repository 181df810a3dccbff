#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The test portal (tamsa_portal) on a free loopback port for the life of this object.
// A test that uses it must build the server first:
//     add_dependencies(<test> tamsa_portal)
// It starts with --port 0 --lifetime 600 --log <temp file>, then extraArgs; a later
// option wins, so extraArgs may override the lifetime. The constructor waits for the
// server to listen and records a test failure when it does not.
class PortalProcess {
public:
    explicit PortalProcess(const QStringList &extraArgs = {});
    ~PortalProcess();
    PortalProcess(const PortalProcess &) = delete;
    PortalProcess &operator=(const PortalProcess &) = delete;

    bool isListening() const { return port_ > 0; }
    int port() const { return port_; }
    // "http://127.0.0.1:<port>/"
    QString baseUrl() const;
    // baseUrl() + relative, e.g. url("test/bytes?size=10").
    QString url(const QString &relative) const;

    // Request targets (path + "?" + query) in the order they arrived.
    QStringList requestLog() const;
    void clearLog();

    // For tests of the server's own ending: true when it exited within msecs.
    bool waitForExit(int msecs);
    int exitCode() const { return process_.exitCode(); }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};
