#include "small_disk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/statvfs.h>

namespace {

constexpr char kFiller[] = "filler";

} // namespace

SmallDisk::SmallDisk(const char *size) : path_(base_.filePath("home")), previousHome_(qgetenv("TAMSA_HOME"))
{
    QDir().mkpath(path_);
    const QByteArray options = QByteArray("size=") + size;
    mounted_ = ::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, options.constData()) == 0;
    if (!mounted_)
        skipReason_ = QString("cannot mount a tmpfs (%1); these tests need root").arg(std::strerror(errno));
    qputenv("TAMSA_HOME", path_.toUtf8());
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    if (previousHome_.isEmpty())
        qunsetenv("TAMSA_HOME");
    else
        qputenv("TAMSA_HOME", previousHome_);
}

qint64 SmallDisk::freeBytes() const
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(path_).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

void SmallDisk::fill(qint64 leaveBytes)
{
    QFile filler(file(kFiller));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (freeBytes() > leaveBytes && filler.write(block) == block.size()) {
    }
}

void SmallDisk::freeSpace() { QFile::remove(file(kFiller)); }

bool SmallDisk::setReadOnly(bool readOnly)
{
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    // A file that a replacement has just renamed away is still held until the file writer's
    // worker lets go of it, and the kernel refuses a read-only remount while it is: try again.
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", flags, nullptr) == 0)
            return true;
        if (errno != EBUSY)
            return false;
        QThread::msleep(10);
    }
    return false;
}

QMap<QString, QByteArray> SmallDisk::snapshot() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(path_, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next().mid(path_.size() + 1);
        QFile f(it.filePath());
        if (name != kFiller && f.open(QIODevice::ReadOnly))
            files.insert(name, f.readAll());
    }
    return files;
}
