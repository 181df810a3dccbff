#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away program folder for one test: TAMSA_HOME points at it while the object lives.
// With copyApp, the built app/ files (player page, picture, Ruffle) are copied in first.
class TempHome {
public:
    explicit TempHome(bool copyApp = false);
    ~TempHome();

    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.path() + "/" + relative; }

    QByteArray read(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir dir_;
    QByteArray previousHome_;
};

// The laid-out program folder of this build (build/gamebox).
QString buildHome();
