#include "portal_process.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>

static QString logPath(const QTemporaryDir &dir) { return dir.filePath("requests.log"); }

PortalProcess::PortalProcess(const QStringList &extraArgs)
{
    QStringList args{"--port", "0", "--lifetime", "600", "--log", logPath(dir_)};
    process_.start(QStringLiteral(GAMEBOX_PORTAL_BIN), args + extraArgs);
    const QByteArray prefix = "listening on ";
    QByteArray output;
    QDeadlineTimer deadline(10000);
    while (!output.contains('\n') && !deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        output += process_.readAllStandardOutput();
    }
    const QByteArray line = output.left(output.indexOf('\n'));
    if (line.startsWith(prefix))
        port_ = line.mid(prefix.size()).toInt();
    if (port_ <= 0)
        ADD_FAILURE() << "the test portal did not start: " << output.constData()
                      << process_.readAllStandardError().constData();
}

PortalProcess::~PortalProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString PortalProcess::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }

QString PortalProcess::url(const QString &relative) const { return baseUrl() + relative; }

QStringList PortalProcess::requestLog() const
{
    QFile file(logPath(dir_));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void PortalProcess::clearLog() { QFile::resize(logPath(dir_), 0); }

bool PortalProcess::waitForExit(int msecs)
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(msecs);
}
