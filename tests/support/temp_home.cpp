#include "temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString buildHome() { return QStringLiteral(GAMEBOX_BUILD_HOME); }

static void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

TempHome::TempHome(bool copyApp) : previousHome_(qgetenv("TAMSA_HOME"))
{
    if (copyApp)
        copyTree(buildHome() + "/app", dir_.path() + "/app");
    qputenv("TAMSA_HOME", dir_.path().toUtf8());
}

TempHome::~TempHome()
{
    if (previousHome_.isEmpty())
        qunsetenv("TAMSA_HOME");
    else
        qputenv("TAMSA_HOME", previousHome_);
}

QByteArray TempHome::read(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TempHome::write(const QString &relative, const QByteArray &bytes) const
{
    QDir().mkpath(QFileInfo(file(relative)).path());
    QFile f(file(relative));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

bool TempHome::exists(const QString &relative) const { return QFileInfo::exists(file(relative)); }
