#include "shell/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace {

// Waits of the hand-over; a running instance answers a local connect at once, even while its
// event loop is busy, because the kernel accepts on its behalf.
constexpr int kLockWaitMs = 5000;
constexpr int kLockPollMs = 5;
constexpr int kConnectWaitMs = 1000;
constexpr int kWriteWaitMs = 2000;
// A command line is short; anything beyond this is not one and is dropped.
constexpr qint64 kMaxRequestBytes = 64 * 1024;

// An exclusive lock on a file, held while the object lives. The kernel drops it when its
// holder dies, so a crash never leaves a stale lock behind.
class ClaimLock {
public:
    explicit ClaimLock(const QString &path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ < 0)
            return;
        QElapsedTimer clock;
        clock.start();
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && clock.elapsed() < kLockWaitMs)
            QThread::msleep(kLockPollMs);
    }
    ~ClaimLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ClaimLock(const ClaimLock &) = delete;
    ClaimLock &operator=(const ClaimLock &) = delete;

private:
    int fd_;
};

} // namespace

SingleInstance::SingleInstance(QString folder, QObject *parent)
    : QObject(parent), socketPath_(folder + "/" + kInstanceChannel)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
}

QString SingleInstance::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::claim(const QString &commandText)
{
    // The lock makes "is anyone there? then I serve" one step across simultaneous starts.
    // When it cannot be had the check still runs, only without that protection.
    QDir().mkpath(QFileInfo(socketPath_).path());
    const ClaimLock lock(socketPath_ + ".lock");
    if (handOver(commandText))
        return false;
    serve();
    return true;
}

bool SingleInstance::handOver(const QString &commandText) const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectWaitMs))
        return false;
    // A request ends where the connection ends; delivery failures are not this start's
    // concern, it ends either way.
    socket.write(commandText.toUtf8());
    socket.waitForBytesWritten(kWriteWaitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteWaitMs);
    return true;
}

void SingleInstance::serve()
{
    // Nobody answered on the socket path, so whatever is there was left by a dead instance.
    QLocalServer::removeServer(socketPath_);
    server_.listen(socketPath_);
}

void SingleInstance::acceptRequests()
{
    while (QLocalSocket *socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [socket, request] { readRequest(socket, *request); });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket, request] { finishRequest(socket, *request); });
        // A start that wrote and left before this loop came round is already gone.
        if (socket->state() == QLocalSocket::UnconnectedState)
            finishRequest(socket, *request);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket, QByteArray &request)
{
    const QByteArray bytes = socket->readAll();
    request.append(bytes.left(std::max<qint64>(0, kMaxRequestBytes - request.size())));
}

void SingleInstance::finishRequest(QLocalSocket *socket, QByteArray &request)
{
    disconnect(socket, nullptr, this, nullptr);
    readRequest(socket, request);
    socket->deleteLater();
    emit executeRequested(QString::fromUtf8(request));
}
