#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that does not hold aborts, which libFuzzer reports like any crash, with the input.
#define FUZZ_CHECK(condition) ((condition) ? void(0) : fuzzFailed(#condition, __FILE__, __LINE__))

[[noreturn]] inline void fuzzFailed(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

// A folder for the run's files, removed at exit. On a RAM disk when there is one: every file
// replacement flushes to the disk, which a tmpfs answers at once instead of at disk speed.
inline QString fuzzScratchFolder()
{
    static const QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/gamebox-fuzz-XXXXXX"
                                                              : QDir::tempPath() + "/gamebox-fuzz-XXXXXX");
    if (!dir.isValid())
        fuzzFailed("a scratch folder can be created", __FILE__, __LINE__);
    return dir.path();
}

inline void writeScratchFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFailed("a scratch file can be written", __FILE__, __LINE__);
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}
