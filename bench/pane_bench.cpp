// One browser pane against a bare QWebEngineView, and the local player's first frame.
//
//   pane_bench [--rounds N]
//
// Each round starts, alternately, a program with one BrowserPane and a program with one
// plain QWebEngineView (its own persistent profile, as cold as the pane's) on fresh program
// folders; both load the demo portal's home page. The time counted is from starting the
// process to the line it prints on its first completed load, seen from here, so both pay
// the same process start. A third program times flash.htm?<id> from navigate() to the first
// frame the game draws (the centre of the grabbed pane turns from the page's black to the
// movie's red).
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "startup/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>

namespace {

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

int runPane(const QString &url)
{
    auto *pane = new BrowserPane;
    pane->resize(903, 614);
    pane->show();
    QObject::connect(pane, &BrowserPane::downloadComplete, qApp, [] { say("loaded"); QApplication::exit(0); });
    pane->navigate(url);
    return QApplication::exec();
}

int runBare(const QString &url)
{
    QWebEngineView *view = showBareView(url);
    QObject::connect(view, &QWebEngineView::loadFinished, qApp, [] { say("loaded"); QApplication::exit(0); });
    return QApplication::exec();
}

int runFlash()
{
    auto *pane = new BrowserPane;
    pane->resize(800, 600);
    pane->show();
    QElapsedTimer clock;
    auto *poll = new QTimer(pane);
    QObject::connect(poll, &QTimer::timeout, pane, [pane, &clock] {
        if (pane->grabImage().pixelColor(400, 300) != QColor(0xff, 0, 0))
            return;
        std::printf("frame %.1f\n", clock.nsecsElapsed() / 1e6);
        QApplication::exit(0);
    });
    QTimer::singleShot(500, pane, [pane, poll, &clock] {
        clock.start();
        pane->navigate(programPath("app/flash.htm") + "?1");
        poll->start(10);
    });
    return QApplication::exec();
}

void copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

// Starts this program in mode on a fresh program folder; returns the ms from start to the
// "loaded" line, or the figure of a "frame" line.
double timeChild(const QString &mode, const QString &argument)
{
    QTemporaryDir home;
    if (mode == "--flash") {
        copyFolder(QStringLiteral(GAMEBOX_BUILD_HOME "/app"), home.filePath("app"));
        QDir().mkpath(home.filePath("flash"));
        QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/test-solid.swf"), home.filePath("flash/1.swf"));
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TAMSA_HOME", home.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {mode, argument});
    double figure = -1;
    while (figure < 0 && child.waitForReadyRead(120000)) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line == "loaded")
                figure = clock.nsecsElapsed() / 1e6;
            else if (line.startsWith("frame "))
                figure = line.mid(6).toDouble();
        }
    }
    child.waitForFinished(30000);
    return figure;
}

int drive(int rounds)
{
    QProcess portal;
    const QString home = startDemoPortal(portal);

    QList<double> panes, bares, frames;
    for (int round = 1; round <= rounds; ++round) {
        bares << timeChild("--bare", home);
        panes << timeChild("--pane", home);
        frames << timeChild("--flash", "");
        std::printf("round %d: pane %.0f ms | bare view %.0f ms | player first frame %.0f ms\n", round,
                    panes.last(), bares.last(), frames.last());
    }
    std::printf("median cold start to portal home loaded: pane %.0f ms, bare view %.0f ms, ratio %.2f (target <= 1.1)\n",
                median(panes), median(bares), median(panes) / median(bares));
    std::printf("median flash.htm?<id> to the game's first frame: %.0f ms\n", median(frames));
    portal.kill();
    portal.waitForFinished();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "--pane" || mode == "--bare" || mode == "--flash") {
        registerWebSchemes();
        QApplication app(argc, argv);
        const QString url = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
        return mode == "--pane" ? runPane(url) : mode == "--bare" ? runBare(url) : runFlash();
    }
    QCoreApplication app(argc, argv);
    return drive(mode == "--rounds" && argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5);
}
