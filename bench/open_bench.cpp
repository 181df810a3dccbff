// Game-open latency with real clicks: a click on a game of the portal page until the portal
// receives the game pane's request for the game page, with 100 recently played records;
// against a bare web view following an ordinary link of the same page.
//
//   open_bench [--rounds N] [--clicks N]
//
// Each round starts both programs as fresh processes on fresh program folders, the bare one
// first, against one demo portal on loopback. A child waits until its start-up is over, then
// clicks N times and prints "open <ms>" for each click.
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "chrome/skin_button.h"
#include "mainwindow/ba1.h"
#include "page_input.h"
#include "startup/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The start-up's last loads (the panes after the portal page, the beacon) are over by then.
constexpr int kSettleMs = 4000;

void writeRecentRecords(int count)
{
    QByteArray records;
    for (int i = 0; i < count; ++i)
        records += QByteArray("%u6D4B%u8BD5|") + QByteArray::number(2000 + i) + "|k" + QByteArray::number(i) + "|1\r\n";
    QFile played(QDir(qEnvironmentVariable("TAMSA_HOME")).filePath("app/date_n.dat"));
    played.open(QIODevice::WriteOnly);
    played.write(records);
}

QWebEngineView *viewOf(BrowserPane *pane) { return pane->findChild<QWebEngineView *>(); }

int runClient(const QString &requestLog, int clicks)
{
    StartUp();
    writeRecentRecords(100);
    auto *window = new BA1;
    window->show();
    bool loaded = false;
    QObject::connect(window->findChild<BrowserPane *>("Web1"), &BrowserPane::downloadComplete, window, [&] { loaded = true; });
    runUntil([&] { return loaded; }, 60000);
    runUntil([] { return false; }, kSettleMs);

    RequestLogClock clock(requestLog);
    // Two games played from a file address (flash.htm?) and two from a portal key (app.asp).
    const QStringList games{"#game-1001", "#game-1003", "#game-1002", "#game-1004"};
    for (int i = 0; i < clicks; ++i) {
        report("open", clickAndTimeRequest(viewOf(window->findChild<BrowserPane *>("Web1")), games[i % games.size()], clock,
                                           {"/flash.htm?", "/app/app.asp?id="}));
        runUntil([] { return false; }, 1500);
        // Back to the portal tab, as the player would go for the next game.
        QTest::mouseClick(window->findChild<QWidget *>("npc_6"), Qt::LeftButton);
        runUntil([] { return false; }, 1000);
    }
    return 0;
}

int runBare(const QString &portal, const QString &requestLog, int clicks)
{
    QWebEngineView *view = showBareView(portal);
    bool loaded = false;
    QObject::connect(view, &QWebEngineView::loadFinished, view, [&] { loaded = true; });
    runUntil([&] { return loaded; }, 60000);
    runUntil([] { return false; }, kSettleMs);

    RequestLogClock clock(requestLog);
    for (int i = 0; i < clicks; ++i) {
        report("open", clickAndTimeRequest(view, "a[href=\"/yy/\"]", clock, {"/yy/"}));
        runUntil([] { return false; }, 1500);
        loaded = false;
        view->load(QUrl(portal));
        runUntil([&] { return loaded; }, 10000);
        runUntil([] { return false; }, 1000);
    }
    return 0;
}

QList<double> runChild(const QString &mode, const QString &portal, const QString &requestLog, int clicks)
{
    BenchChild run(portal);
    run.start({mode, portal, requestLog, QString::number(clicks)});
    QProcess &child = run.process;
    child.waitForFinished(180000);
    QList<double> opens;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        if (line.startsWith("open "))
            opens << line.mid(5).toDouble();
    }
    return opens;
}

int drive(int rounds, int clicks)
{
    QTemporaryDir logFolder;
    const QString requestLog = logFolder.filePath("requests.log");
    QProcess portal;
    const QString base = startDemoPortal(portal, {"--log", requestLog});
    QList<double> ours, anchor;
    for (int round = 1; round <= rounds; ++round) {
        const QList<double> bare = runChild("--bare", base, requestLog, clicks);
        const QList<double> client = runChild("--client", base, requestLog, clicks);
        std::printf("round %d: client %s ms | bare view %s ms\n", round, qPrintable(listed(client)),
                    qPrintable(listed(bare)));
        ours << median(client);
        anchor << median(bare);
    }
    printRow("game open: click to the game pane's request, 100 records (median of each round's clicks)", ours, anchor,
             "ms", 1, "<= 1.2x");
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
        const QString requestLog = QString::fromLocal8Bit(argv[3]);
        const int clicks = QString::fromLocal8Bit(argv[4]).toInt();
        return mode == "--client" ? runClient(requestLog, clicks)
                                  : runBare(QString::fromLocal8Bit(argv[2]), requestLog, clicks);
    }
    QCoreApplication app(argc, argv);
    int rounds = 5, clicks = 6;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (QString(argv[i]) == "--rounds")
            rounds = QString(argv[i + 1]).toInt();
        else if (QString(argv[i]) == "--clicks")
            clicks = QString(argv[i + 1]).toInt();
    }
    return drive(rounds, clicks);
}
