#pragma once

#include <QList>
#include <QProcess>
#include <QString>

#include <algorithm>

// Shared by the benchmark programs.

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// Starts the demo portal on a free loopback port for an hour; returns its home URL.
inline QString startDemoPortal(QProcess &portal)
{
    portal.start(QStringLiteral(GAMEBOX_PORTAL_BIN), {"--port", "0", "--lifetime", "3600"});
    portal.waitForReadyRead(10000);
    // "listening on <port>"
    return QString("http://127.0.0.1:%1/").arg(QString(portal.readLine()).section(' ', 2).trimmed());
}
