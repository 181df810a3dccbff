#pragma once

#include <QFile>
#include <QString>

// A file written beside its destination under a temporary name (".<name>.<random>.part") and
// renamed over the destination only when complete, so the destination is either the whole
// new file or untouched. The temporary file has a name on purpose: unnamed (O_TMPFILE) files,
// which QSaveFile uses, were measured to write about three times slower on ext4. The file it
// replaces is let go of by a worker thread, so that freeing its blocks is nobody's wait.
class PartFile {
public:
    explicit PartFile(QString destination);
    ~PartFile(); // removes the temporary file unless committed
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    // Closes the temporary file and renames it over the destination.
    bool commit();
    QString errorString() const { return error_; }

private:
    void discard();

    QString destination_;
    QFile file_;
    QString error_;
};
