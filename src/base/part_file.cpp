#include "base/part_file.h"

#include <QDir>
#include <QFutureWatcher>
#include <QPromise>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The replaced file's blocks are freed when its last reference goes, and where the file
// system discards freed blocks at once (mounted with "discard") the rename would wait for
// the device: measured 0.33-0.44 ms of a 60-150 KB replacement against 0.13-0.16 ms with the
// old file held open. So the old file is held across the rename and closed by a worker.
int holdReplaced(const QString &destination)
{
    // Non-blocking, in case the destination is a FIFO; a symbolic link is replaced itself.
    return ::open(QFile::encodeName(destination).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
}

int openFolder(const QString &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = QFile::encodeName(slash < 0 ? QStringLiteral(".") : path.left(slash + 1));
    return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// One thread that never expires, so that no replacement waits for a thread to start; its
// jobs run in the order given. At exit its destructor waits for what is queued.
QThreadPool &worker()
{
    struct Worker : QThreadPool {
        Worker()
        {
            setMaxThreadCount(1);
            setExpiryTimeout(-1);
        }
    };
    static Worker pool;
    return pool;
}

// After the rename: lets the replaced file go and flushes the folder, so that the new name
// itself survives a power cut. Until then a power cut can only bring back the old name, and
// the old file is whole, so nobody needs to wait for this.
void finishInBackground(int replaced, int folder)
{
    worker().start([replaced, folder] {
        if (replaced >= 0)
            ::close(replaced);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    });
}

// Flushes a copy of `fd` on the worker; the future gives 0 or the errno. The copy keeps the
// file open for the flush whatever the owner does meanwhile (a discard only unlinks it).
QFuture<int> flushOnWorker(int fd)
{
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return QtFuture::makeReadyFuture(errno);
    auto promise = std::make_shared<QPromise<int>>();
    QFuture<int> future = promise->future();
    promise->start();
    worker().start([promise, copy] {
        const int result = ::fdatasync(copy) == 0 ? 0 : errno;
        ::close(copy);
        promise->addResult(result);
        promise->finish();
    });
    return future;
}

} // namespace

PartFile::PartFile(QString destination) : destination_(std::move(destination)) {}

PartFile::~PartFile() { discard(); }

bool PartFile::open()
{
    const qsizetype slash = destination_.lastIndexOf('/');
    const QString folder = destination_.left(slash + 1);
    const QString leaf = destination_.mid(slash + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
        file_.setFileName(folder + "." + leaf + "." + suffix + ".part");
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            // Locked at once and held until the file is renamed or removed.
            ::flock(file_.handle(), LOCK_EX | LOCK_NB);
            return true;
        }
        if (file_.error() != QFileDevice::OpenError || !QFile::exists(file_.fileName()))
            break; // not a name clash: another name will not help
    }
    error_ = file_.errorString();
    file_.setFileName(QString());
    return false;
}

bool PartFile::write(const char *data, qint64 size)
{
    if (file_.write(data, size) == size)
        return true;
    error_ = file_.errorString();
    return false;
}

// The data must be on the disk before the rename, or a power cut could keep the new name over
// blocks never written: an empty file where the old one was. So fdatasync waits here, on the
// caller's thread, and the rename follows it. Both stay on this thread because the callers
// read back what they replaced (a record change is followed by its page, which the list pane
// loads at once): when commit() returns, the new file is in place. Only the folder's flush,
// which decides nothing about the contents, goes to the worker. Measured with records_bench
// (a record file and its page, two commits): docs/RELIABILITY.md.
bool PartFile::commit()
{
    if (!flushBuffer())
        return false;
    if (::fdatasync(file_.handle()) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return replaceDestination();
}

// A 200 MB game took 350-525 ms to flush, far too long for the window's thread; the rename
// still happens here, after the flush, so the order that makes the file durable is kept.
void PartFile::commitInBackground(std::function<void(bool committed)> done)
{
    flushing_ = std::make_unique<QFutureWatcher<int>>();
    QObject::connect(flushing_.get(), &QFutureWatcherBase::finished, flushing_.get(), [this, done = std::move(done)] {
        const int result = flushing_->result();
        flushing_.release()->deleteLater(); // its own signal is being delivered
        if (result > 0)
            error_ = QString::fromLocal8Bit(std::strerror(result));
        done(result == 0 && replaceDestination());
    });
    // -1: flushBuffer() has said what went wrong.
    flushing_->setFuture(flushBuffer() ? flushOnWorker(file_.handle()) : QtFuture::makeReadyFuture(-1));
}

bool PartFile::flushBuffer()
{
    if (file_.flush())
        return true;
    error_ = file_.errorString();
    return false;
}

bool PartFile::replaceDestination()
{
    const int replaced = holdReplaced(destination_);
    const int folder = openFolder(destination_);
    // POSIX rename replaces an existing destination in one step; QFile::rename would refuse.
    // The file stays open (and locked) until its temporary name is gone.
    const bool renamed =
        std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(destination_).constData()) == 0;
    const int renameError = errno;
    if (!renamed) {
        if (folder >= 0)
            ::close(folder);
        finishInBackground(replaced, -1);
        error_ = QString::fromLocal8Bit(std::strerror(renameError));
        return false;
    }
    file_.close();
    file_.setFileName(QString());
    finishInBackground(replaced, folder);
    return true;
}

void PartFile::discard()
{
    flushing_.reset(); // a flush under way finishes on its own copy of the file
    if (file_.fileName().isEmpty())
        return;
    // Not QFile::remove(), which keeps the file when closing it fails, as it does on a full disk.
    const QString name = file_.fileName();
    file_.close();
    QFile::remove(name);
    file_.setFileName(QString());
}

bool PartFile::isPartFileName(const QString &fileName)
{
    // "." + the destination's name + "." + a 32-bit number in base 36 + ".part"
    static const QRegularExpression name("^\\..+\\.[0-9a-z]{1,7}\\.part$");
    return name.match(fileName).hasMatch();
}

int PartFile::removeAbandoned(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (!isPartFileName(name))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat info {};
        // A writer that is still running holds its lock; one that was killed holds nothing.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}
