#pragma once

#include "base/ini_file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

// Shared by the benchmark programs.

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// Starts the demo portal on a free loopback port for an hour; returns its home URL.
// options: more of the portal's options ("--site", "--log").
inline QString startDemoPortal(QProcess &portal, const QStringList &options = {})
{
    portal.start(QStringLiteral(GAMEBOX_PORTAL_BIN), QStringList{"--port", "0", "--lifetime", "3600"} + options);
    portal.waitForReadyRead(10000);
    // "listening on <port>"
    return QString("http://127.0.0.1:%1/").arg(QString(portal.readLine()).section(' ', 2).trimmed());
}

// Copies every file below `from` to the same place below `to`.
inline void copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

// The files the program comes with (the player page, the emulator), into a program folder
// of a child that has no installation beside its executable.
inline void copyProgramFiles(const QString &home)
{
    copyFolder(QStringLiteral(GAMEBOX_BUILD_HOME "/app"), home + "/app");
}

// This program again as a child, in a program folder of its own (with the program's files
// unless told otherwise, and the portal in its settings when one is given), its errors sent
// to ours. The folder outlives the child: the process is stopped first when this goes.
struct BenchChild {
    enum class Files { Program, None };

    explicit BenchChild(const QString &portal = {}, Files files = Files::Program)
    {
        if (!portal.isEmpty())
            IniFile(home.filePath("config.ini")).write("main", "Portal", portal);
        if (files == Files::Program)
            copyProgramFiles(home.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TAMSA_HOME", home.path());
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    void start(const QStringList &arguments) { process.start(QCoreApplication::applicationFilePath(), arguments); }

    QTemporaryDir home;
    QProcess process;
};

// Runs the event loop until condition holds or msecs have passed; a real loop, so the web
// engine's own tasks keep running meanwhile.
inline bool runUntil(const std::function<bool()> &condition, int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// A child program's line to the driving program ("open 41.2").
inline void report(const char *what, double value)
{
    std::printf("%s %.3f\n", what, value);
    std::fflush(stdout);
}

// "41.0 38.2 60.1": a child's figures, for the per-round lines.
inline QString listed(const QList<double> &values)
{
    QStringList texts;
    for (double value : values)
        texts << QString::number(value, 'f', 1);
    return texts.join(' ');
}

// "68.1 ms (61.0-80.2)": the median and the spread over the rounds.
inline QString withSpread(const QList<double> &values, const char *unit, int decimals)
{
    if (values.isEmpty())
        return "-";
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return QString("%1 %2 (%3-%4)")
        .arg(median(values), 0, 'f', decimals)
        .arg(unit)
        .arg(*low, 0, 'f', decimals)
        .arg(*high, 0, 'f', decimals);
}

// One row of the table `make bench` prints: figure, ours, anchor, ratio, target. The ratio is
// the median of the rounds' own ratios when ours and the anchor were measured in pairs, so a
// slow spell of the shared machine counts against both sides of a round alike; a round whose
// anchor read nothing (idle CPU below the clock's tick) gives no ratio.
inline void printRow(const QString &figure, const QList<double> &ours, const QList<double> &anchor, const char *unit,
                     int decimals, const QString &target)
{
    QList<double> ratios;
    for (int i = 0; i < ours.size() && ours.size() == anchor.size(); ++i) {
        if (anchor[i] > 0)
            ratios << ours[i] / anchor[i];
    }
    const QString ratio = ratios.isEmpty() ? "-" : withSpread(ratios, "x", 2).replace(" x", "x");
    const QString line =
        QStringList{"row", figure, withSpread(ours, unit, decimals), withSpread(anchor, unit, decimals), ratio, target}
            .join('\t');
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}
