#include "startup/part_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
        if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
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

bool PartFile::commit()
{
    if (!file_.flush()) {
        error_ = file_.errorString();
        return false;
    }
    file_.close();
    // POSIX rename replaces an existing destination in one step; QFile::rename would refuse.
    if (std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(destination_).constData()) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    file_.setFileName(QString());
    return true;
}

void PartFile::discard()
{
    if (file_.fileName().isEmpty())
        return;
    file_.close();
    file_.remove();
    file_.setFileName(QString());
}
