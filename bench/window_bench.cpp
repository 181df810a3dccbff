// Start-up, idle memory and game-open latency of the main window, against a bare program
// that shows the portal home page in one web view.
//
//   window_bench [--rounds N]
//
// Each round starts both programs as fresh processes on fresh program folders, alternately,
// against one demo portal on loopback. A child reports on stdout:
//   loaded <ms from process start to the portal home page loaded>
//   pss <KiB over the process and its engine processes, 10 s after start>
//   open <ms from a game link to the game pane's request>   (client only)
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "mainwindow/ba1.h"
#include "startup/ini_file.h"
#include "startup/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
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

qint64 pssKiB(qint64 pid)
{
    QFile rollup(QString("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression pss("^Pss:\\s+(\\d+) kB", QRegularExpression::MultilineOption);
    return pss.match(QString::fromLatin1(rollup.readAll())).captured(1).toLongLong();
}

// The process and every descendant (the engine's helper processes).
qint64 treePssKiB(qint64 root)
{
    qint64 total = 0;
    QList<qint64> pending{root};
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeFirst();
        total += pssKiB(pid);
        for (const QString &task : QDir(QString("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(QString("/proc/%1/task/%2/children").arg(pid).arg(task));
            if (children.open(QIODevice::ReadOnly)) {
                for (const QByteArray &child : children.readAll().split(' '))
                    if (!child.trimmed().isEmpty())
                        pending << child.trimmed().toLongLong();
            }
        }
    }
    return total;
}

void report(const char *what, double value)
{
    std::printf("%s %.1f\n", what, value);
    std::fflush(stdout);
}

void reportMemoryLater(QApplication &app)
{
    QTimer::singleShot(10000, &app, [&app] {
        report("pss", treePssKiB(QCoreApplication::applicationPid()));
        app.quit();
    });
}

int runClient(QApplication &app)
{
    StartUp();
    QByteArray records;
    for (int i = 0; i < 100; ++i)
        records += QByteArray("%u6D4B|") + QByteArray::number(2000 + i) + "|k|1\r\n";
    QFile played(QDir(qEnvironmentVariable("TAMSA_HOME")).filePath("app/date_n.dat"));
    played.open(QIODevice::WriteOnly);
    played.write(records);
    played.close();

    auto *window = new BA1;
    window->show();
    QObject::connect(window->Web1, &BrowserPane::downloadComplete, window, [window] {
        static bool once = false;
        if (once)
            return;
        once = true;
        report("loaded", msSinceProcessStart());
        QElapsedTimer clock;
        clock.start();
        QObject::connect(window->Web2, &BrowserPane::downloadBegin, window,
                         [clock] { report("open", clock.nsecsElapsed() / 1e6); }, Qt::SingleShotConnection);
        window->Web1->navigate("veloflash://1003$$$click$$$%u6D4B");
    });
    reportMemoryLater(app);
    return QApplication::exec();
}

int runBare(QApplication &app, const QString &portal)
{
    QWebEngineView *view = showBareView(portal);
    QObject::connect(view, &QWebEngineView::loadFinished, view, [] {
        static bool once = false;
        if (!once)
            report("loaded", msSinceProcessStart());
        once = true;
    });
    reportMemoryLater(app);
    return QApplication::exec();
}

struct Figures {
    double loaded = 0, pss = 0, open = 0;
};

Figures runChild(const QString &mode, const QString &portal)
{
    QTemporaryDir home;
    IniFile(home.filePath("config.ini")).write("main", "Portal", portal);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TAMSA_HOME", home.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {mode, portal});
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
        else if (parts[0] == "open")
            figures.open = value;
    }
    return figures;
}

int drive(int rounds)
{
    QProcess portal;
    const QString base = startDemoPortal(portal);

    QList<double> clientLoaded, bareLoaded, clientPss, barePss, opens;
    for (int round = 0; round < rounds; ++round) {
        const Figures bare = runChild("--bare", base);
        const Figures client = runChild("--client", base);
        std::printf("round %d: client %.0f ms %.0f MiB open %.1f ms | bare %.0f ms %.0f MiB\n", round + 1,
                    client.loaded, client.pss / 1024, client.open, bare.loaded, bare.pss / 1024);
        clientLoaded << client.loaded;
        bareLoaded << bare.loaded;
        clientPss << client.pss;
        barePss << bare.pss;
        opens << client.open;
    }
    const double loadRatio = median(clientLoaded) / median(bareLoaded);
    const double memoryRatio = median(clientPss) / median(barePss);
    std::printf("median start to portal loaded: client %.0f ms, bare %.0f ms, ratio %.2f (target <= 1.3)\n",
                median(clientLoaded), median(bareLoaded), loadRatio);
    std::printf("median idle PSS after 10 s: client %.0f MiB, bare %.0f MiB, ratio %.2f (target <= 2)\n",
                median(clientPss) / 1024, median(barePss) / 1024, memoryRatio);
    std::printf("median game link to game pane request, 100 records: %.1f ms\n", median(opens));
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
