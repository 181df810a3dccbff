// Download throughput and memory against curl, both fetching the same body from the test
// portal over loopback into the same folder, alternating, in one run; curl a second time with
// its file flushed to the disk afterwards, since ours counts a game as saved only once it is:
//     download_bench [--mib N] [--rounds R]
// Reports the best and the median throughput of each, their ratios, and the growth of this process's resident size
// while downloading (its peak during the transfers minus its idle size before them).
#include "bench_support.h"
#include "download/download_transfer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

namespace {

// A line "VmRSS:   1234 kB" of /proc/self/status, in KiB.
qint64 statusKiB(const char *field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// CPU seconds (user + system) of this process or of its finished children.
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Starts the peak (VmHWM) again from the current resident size.
void resetPeak()
{
    QFile clearRefs("/proc/self/clear_refs");
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

int startPortal(QProcess &portal)
{
    portal.start(QStringLiteral(GAMEBOX_PORTAL_BIN), {"--port", "0", "--lifetime", "900"});
    QByteArray out;
    QDeadlineTimer deadline(10000);
    while (!out.contains('\n') && !deadline.hasExpired() && portal.state() != QProcess::NotRunning) {
        portal.waitForReadyRead(200);
        out += portal.readAllStandardOutput();
    }
    const QByteArray prefix = "listening on ";
    return out.startsWith(prefix) ? out.mid(prefix.size(), out.indexOf('\n') - prefix.size()).toInt() : 0;
}

// Seconds for one download, or a negative value when it did not save `bytes`.
double timeOurs(DownloadTransfer &transfer, const QString &url, const QString &path, qint64 bytes)
{
    QFile::remove(path);
    transfer.setFileURL(url);
    transfer.setSaveFilePath(path);
    QElapsedTimer clock;
    clock.start();
    const bool saved = transfer.BeginDownload(true);
    const double seconds = clock.nsecsElapsed() / 1e9;
    return saved && QFile(path).size() == bytes ? seconds : -1;
}

// flushed: the file is then flushed to the disk, as ours is before it counts as saved.
double timeCurl(const QString &url, const QString &path, qint64 bytes, bool flushed)
{
    QFile::remove(path);
    QElapsedTimer clock;
    clock.start();
    int code = QProcess::execute("curl", {"-s", "-o", path, url});
    if (flushed && code == 0)
        code = QProcess::execute("sync", {"--data", path});
    const double seconds = clock.nsecsElapsed() / 1e9;
    return code == 0 && QFile(path).size() == bytes ? seconds : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qint64 mib = 256;
    int rounds = 7;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--mib")
            mib = args[i + 1].toLongLong();
        else if (args[i] == "--rounds")
            rounds = args[i + 1].toInt();
    }
    if (mib <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: download_bench [--mib N] [--rounds R]\n");
        return 2;
    }
    const qint64 bytes = mib * 1024 * 1024;

    QProcess portal;
    const int port = startPortal(portal);
    if (port <= 0) {
        std::fprintf(stderr, "the test portal did not start\n");
        return 1;
    }
    const QString url = QString("http://127.0.0.1:%1/test/bytes?size=%2").arg(port).arg(bytes);
    QTemporaryDir folder;
    const QString ours = folder.filePath("ours.swf");
    const QString curls = folder.filePath("curl.swf");

    DownloadTransfer transfer;
    // Warm up the network layer so its threads and buffers count as idle.
    timeOurs(transfer, QString("http://127.0.0.1:%1/test/bytes?size=65536").arg(port), ours, 65536);
    const qint64 idleKiB = statusKiB("VmRSS:");
    resetPeak();

    QList<double> oursTimes;
    QList<double> curlTimes;
    QList<double> oursRates;
    QList<double> curlRates;
    QList<double> flushedCurlRates;
    double cpuOurs = 0;
    double cpuCurl = 0;
    for (int round = 0; round < rounds; ++round) {
        const double curlBefore = cpuSeconds(RUSAGE_CHILDREN);
        const double c = timeCurl(url, curls, bytes, false);
        cpuCurl += cpuSeconds(RUSAGE_CHILDREN) - curlBefore;
        const double f = timeCurl(url, curls, bytes, true);
        const double oursBefore = cpuSeconds(RUSAGE_SELF);
        const double o = timeOurs(transfer, url, ours, bytes);
        cpuOurs += cpuSeconds(RUSAGE_SELF) - oursBefore;
        if (c < 0 || f < 0 || o < 0) {
            std::fprintf(stderr, "round %d: a download failed (ours %.3f s, curl %.3f s, flushed %.3f s)\n",
                         round + 1, o, c, f);
            return 1;
        }
        std::printf("round %d: ours %.3f s, curl %.3f s, curl and a flush %.3f s\n", round + 1, o, c, f);
        flushedCurlRates << mib / f;
        oursTimes << o;
        curlTimes << c;
        oursRates << mib / o;
        curlRates << mib / c;
    }
    const qint64 peakKiB = statusKiB("VmHWM:");
    std::sort(oursTimes.begin(), oursTimes.end());
    std::sort(curlTimes.begin(), curlTimes.end());
    const double bestOurs = mib / oursTimes.first();
    const double bestCurl = mib / curlTimes.first();
    const double medianOurs = mib / oursTimes.at(rounds / 2);
    const double medianCurl = mib / curlTimes.at(rounds / 2);
    std::printf("%lld MiB over loopback, %d rounds\n", mib, rounds);
    std::printf("best:   ours %.0f MiB/s, curl %.0f MiB/s, ratio %.2f (target >= 0.90)\n", bestOurs, bestCurl,
                bestOurs / bestCurl);
    std::printf("median: ours %.0f MiB/s, curl %.0f MiB/s, ratio %.2f\n", medianOurs, medianCurl,
                medianOurs / medianCurl);
    std::printf("CPU per transfer: ours %.3f s, curl %.3f s\n", cpuOurs / rounds, cpuCurl / rounds);
    std::printf("resident: idle %.1f MiB, peak while downloading %.1f MiB, growth %.1f MiB (target <= 32)\n",
                idleKiB / 1024.0, peakKiB / 1024.0, (peakKiB - idleKiB) / 1024.0);
    printRow(QString("download: %1 MiB over loopback, throughput against curl").arg(mib), oursRates, curlRates, "MiB/s",
             0, ">= 0.9x");
    printRow(QString("download: %1 MiB, against curl whose file is then flushed to the disk as ours is").arg(mib),
             oursRates, flushedCurlRates, "MiB/s", 0, ">= 0.9x");
    printRow("download: resident memory growth while downloading", {(peakKiB - idleKiB) / 1024.0}, {}, "MiB", 1,
             "<= 32 MiB");
    portal.kill();
    portal.waitForFinished(3000);
    return 0;
}
