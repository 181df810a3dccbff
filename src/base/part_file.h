#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

template <typename T>
class QFutureWatcher;

// A file written beside its destination under a temporary name (".<name>.<random>.part") and
// renamed over the destination only when complete, so the destination is either the whole
// new file or untouched. The temporary file has a name on purpose: unnamed (O_TMPFILE) files,
// which QSaveFile uses, were measured to write about three times slower on ext4. The file it
// replaces is let go of by a worker thread, so that freeing its blocks is nobody's wait.
//
// Durable: the data reaches the disk before the rename, so that after a power cut the
// destination holds the old or the new bytes, never an empty file. The folder is flushed after
// the rename by the worker thread (see commit()). A large file's own flush can take the worker
// too (commitInBackground()).
//
// While it exists, the temporary file is locked (flock) by its writer, so that a later start
// can tell the part files of a crashed run from those of a running one (removeAbandoned).
class PartFile {
public:
    explicit PartFile(QString destination);
    ~PartFile(); // removes the temporary file unless committed
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    // Flushes the temporary file to the disk and renames it over the destination.
    bool commit();
    // The same, with the flush on the worker thread: `done` runs later on this thread, after the
    // rename, with commit()'s result. Destroying the PartFile first removes the temporary file
    // and `done` never runs. For files nobody reads back at once (a finished download).
    void commitInBackground(std::function<void(bool committed)> done);
    QString errorString() const { return error_; }

    // Whether `fileName` (no folder) is a temporary name this class gives out.
    static bool isPartFileName(const QString &fileName);
    // Removes from `folder` the temporary files of writers that are gone (crashed or killed);
    // nothing else, and never a file a running writer still holds. Returns how many.
    static int removeAbandoned(const QString &folder);

private:
    bool flushBuffer();
    bool replaceDestination();
    void discard();

    QString destination_;
    QFile file_;
    QString error_;
    std::unique_ptr<QFutureWatcher<int>> flushing_; // while commitInBackground() waits
};
