// Start-up and idle memory of the main window, against a bare program that shows the portal
// home page in one web view.
//
//   window_bench [--rounds N]
//
// Each round starts both programs as fresh processes on fresh program folders, alternately,
// against one demo portal on loopback. A child reports on stdout:
//   loaded <ms from process start to the portal home page loaded>
//   pss <KiB over the process and its engine processes, 10 s after start>
//   own <the same for the tree's own memory: anonymous and shared memory, no libraries>
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "mainwindow/ba1.h"
#include "process_tree.h"
#include "startup/startup.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

namespace {

// Milliseconds since this process started, from the kernel's start time.
double msSinceProcessStart()
{
    QFile stat("/proc/self/stat");
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(' ');
    const double startTicks = fields.value(21).toDouble();
    QFile uptime("/proc/uptime");
    uptime.open(QIODevice::ReadOnly);
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

void reportMemoryLater(QApplication &app)
{
    QTimer::singleShot(10000, &app, [&app] {
        const qint64 self = QCoreApplication::applicationPid();
        report("pss", treeRollupKiB(self, "Pss"));
        report("own", treeRollupKiB(self, "Pss_Anon") + treeRollupKiB(self, "Pss_Shmem"));
        app.quit();
    });
}

int runClient(QApplication &app)
{
    StartUp();
    auto *window = new BA1;
    window->show();
    QObject::connect(
        window->findChild<BrowserPane *>("Web1"), &BrowserPane::downloadComplete, window, [] { report("loaded", msSinceProcessStart()); },
        Qt::SingleShotConnection);
    reportMemoryLater(app);
    return QApplication::exec();
}

int runBare(QApplication &app, const QString &portal)
{
    QWebEngineView *view = showBareView(portal);
    QObject::connect(
        view, &QWebEngineView::loadFinished, view, [] { report("loaded", msSinceProcessStart()); },
        Qt::SingleShotConnection);
    reportMemoryLater(app);
    return QApplication::exec();
}

struct Figures {
    double loaded = 0, pss = 0, own = 0;
};

Figures runChild(const QString &mode, const QString &portal)
{
    BenchChild run(portal);
    run.start({mode, portal});
    QProcess &child = run.process;
    child.waitForFinished(120000);
    Figures figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        const double value = parts[1].toDouble();
        if (parts[0] == "loaded")
            figures.loaded = value;
        else if (parts[0] == "pss")
            figures.pss = value;
        else if (parts[0] == "own")
            figures.own = value;
    }
    return figures;
}

int drive(int rounds)
{
    QProcess portal;
    const QString base = startDemoPortal(portal);

    QList<double> clientLoaded, bareLoaded, clientPss, barePss, clientOwn, bareOwn;
    for (int round = 0; round < rounds; ++round) {
        const Figures bare = runChild("--bare", base);
        const Figures client = runChild("--client", base);
        std::printf("round %d: client %.0f ms %.0f MiB (own %.0f MiB) | bare %.0f ms %.0f MiB (own %.0f MiB)\n",
                    round + 1, client.loaded, client.pss / 1024, client.own / 1024, bare.loaded, bare.pss / 1024,
                    bare.own / 1024);
        clientLoaded << client.loaded;
        bareLoaded << bare.loaded;
        clientPss << client.pss / 1024;
        barePss << bare.pss / 1024;
        clientOwn << client.own / 1024;
        bareOwn << bare.own / 1024;
    }
    printRow("start: process start to the portal page loaded, all panes", clientLoaded, bareLoaded, "ms", 0, "<= 1.1x");
    printRow("idle memory: PSS of the process tree 10 s after start", clientPss, barePss, "MiB", 0, "<= 1.2x");
    printRow("idle memory: the tree's own (anonymous + shared) part of it, no libraries", clientOwn, bareOwn, "MiB", 0,
             "-");
    portal.kill();
    portal.waitForFinished();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "--client" || mode == "--bare") {
        registerWebSchemes();
        QApplication app(argc, argv);
        return mode == "--client" ? runClient(app) : runBare(app, QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 && mode == "--rounds" ? QString(argv[2]).toInt() : 5;
    return drive(rounds);
}
