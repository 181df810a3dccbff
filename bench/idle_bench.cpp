// Idle CPU of the main window against a bare program showing the portal home page in one web
// view: shown, and hidden (the client by its boss key, pressed through the X server; the bare
// view by hiding it), and the client hidden again while a game plays in its game pane.
//
//   idle_bench [--rounds N] [--hidden-seconds S]
//
// A child runs quiet stretches of one long timer each, so that nothing of the benchmark wakes
// it, and marks each with "begin <stretch>" and "end"; the driving program reads the child's
// process tree (/proc/<pid>/stat, user + system time of the program and the engine's helper
// processes) at the marks.
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "mainwindow/ba1.h"
#include "process_tree.h"
#include "base/program_folder.h"
#include "startup/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace {

// From the portal page's load until the start-up's last loads are over.
constexpr int kSettleMs = 10000;
constexpr int kShownMs = 60000;

// Lets the program run undisturbed: one timer, no polling.
void quietFor(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets the program run for msecs between the lines "begin <stretch>" and "end", at which the
// driving program reads the tree's CPU times: read from here, the reading would count itself.
void measure(const char *stretch, int msecs)
{
    std::printf("begin %s\n", stretch);
    std::fflush(stdout);
    quietFor(msecs);
    std::printf("end\n");
    std::fflush(stdout);
}

void waitForPortalPage(BrowserPane *portalPane)
{
    QEventLoop loop;
    QObject::connect(portalPane, &BrowserPane::downloadComplete, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
}

void pressBossKey() { QProcess::execute("xdotool", {"key", "ctrl+s"}); }

int runClient(int hiddenMs)
{
    StartUp();
    // A downloaded game that animates without end.
    QDir().mkpath(programPath("flash"));
    QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/test-anim.swf"), programPath("flash/7.swf"));
    auto *window = new BA1;
    window->show();
    waitForPortalPage(window->findChild<BrowserPane *>("Web1"));
    quietFor(kSettleMs);
    measure("shown", kShownMs);

    pressBossKey();
    quietFor(5000);
    measure(window->isVisible() ? "boss-key-failed" : "hidden", hiddenMs);

    pressBossKey();
    window->findChild<BrowserPane *>("Web1")->navigate("veloflash://7$$$7$$$%u52A8%u753B");
    quietFor(10000);
    pressBossKey();
    quietFor(5000);
    measure(window->isVisible() ? "boss-key-failed" : "hidden-game", hiddenMs);
    return 0;
}

int runBare(const QString &portal, int hiddenMs)
{
    QWebEngineView *view = showBareView(portal);
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    loop.exec();
    quietFor(kSettleMs);
    measure("shown", kShownMs);
    view->hide();
    quietFor(5000);
    measure("hidden", hiddenMs);
    return 0;
}

QHash<QByteArray, double> runChild(const QString &mode, const QString &portal, int hiddenSeconds)
{
    BenchChild run(portal);
    run.start({mode, portal, QString::number(hiddenSeconds)});
    QProcess &child = run.process;
    // Each stretch's share of a core, in %.
    QHash<QByteArray, double> figures;
    QByteArray stretch;
    QHash<qint64, double> before;
    QElapsedTimer clock;
    while (child.waitForReadyRead(600000)) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line.startsWith("begin ")) {
                stretch = line.mid(6);
                before = treeCpuSeconds(child.processId());
                clock.start();
            } else if (line == "end") {
                const double seconds = clock.nsecsElapsed() / 1e9;
                figures.insert(stretch, 100 * coreShare(before, treeCpuSeconds(child.processId()), seconds));
            }
        }
    }
    child.waitForFinished(30000);
    return figures;
}

int drive(int rounds, int hiddenSeconds)
{
    QProcess portal;
    const QString base = startDemoPortal(portal);
    QList<double> clientShown, bareShown, clientHidden, bareHidden, clientHiddenGame;
    for (int round = 1; round <= rounds; ++round) {
        const auto bare = runChild("--bare", base, hiddenSeconds);
        const auto client = runChild("--client", base, hiddenSeconds);
        std::printf("round %d: client shown %.3f %% hidden %.3f %% hidden with a game %.3f %% | "
                    "bare view shown %.3f %% hidden %.3f %%\n",
                    round, client.value("shown", -1), client.value("hidden", -1), client.value("hidden-game", -1),
                    bare.value("shown", -1), bare.value("hidden", -1));
        clientShown << client.value("shown", -1);
        clientHidden << client.value("hidden", -1);
        clientHiddenGame << client.value("hidden-game", -1);
        bareShown << bare.value("shown", -1);
        bareHidden << bare.value("hidden", -1);
    }
    printRow("idle CPU, shown, 60 s from 10 s after the portal page loaded (% of a core)", clientShown, bareShown, "%",
             3, "<= 1.5x");
    const QString seconds = QString::number(hiddenSeconds);
    printRow("idle CPU, hidden by the boss key, " + seconds + " s (% of a core)", clientHidden, bareHidden, "%", 3,
             "<= 0.05 %");
    printRow("idle CPU, hidden by the boss key while a game plays, " + seconds + " s (% of a core)", clientHiddenGame,
             bareHidden, "%", 3, "<= 0.05 %");
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
        const int hiddenMs = QString::fromLocal8Bit(argv[3]).toInt() * 1000;
        return mode == "--client" ? runClient(hiddenMs) : runBare(QString::fromLocal8Bit(argv[2]), hiddenMs);
    }
    QCoreApplication app(argc, argv);
    int rounds = 3, hiddenSeconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (QString(argv[i]) == "--rounds")
            rounds = QString(argv[i + 1]).toInt();
        else if (QString(argv[i]) == "--hidden-seconds")
            hiddenSeconds = QString(argv[i + 1]).toInt();
    }
    return drive(rounds, hiddenSeconds);
}
