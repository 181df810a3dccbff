#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A program folder on a small file system of its own (a 2 MB tmpfs), which a test can fill up
// or make read-only; TAMSA_HOME points at it while the object lives. Mounting needs root: when
// it is refused, mounted() is false and skipReason() says why.
class SmallDisk {
public:
    explicit SmallDisk(const char *size = "2m");
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return mounted_; }
    QString skipReason() const { return skipReason_; }
    QString path() const { return path_; }
    QString file(const QString &relative) const { return path_ + "/" + relative; }

    // Takes all free space but `leaveBytes` with a filler file; freeSpace() lets it go again.
    void fill(qint64 leaveBytes = 0);
    void freeSpace();
    qint64 freeBytes() const;
    bool setReadOnly(bool readOnly);

    // Every file below the folder (relative name → bytes), hidden ones included, the filler not.
    QMap<QString, QByteArray> snapshot() const;

private:
    QTemporaryDir base_;
    QString path_;
    QByteArray previousHome_;
    bool mounted_ = false;
    QString skipReason_;
};
