// One browser pane against a bare QWebEngineView: cold start, and the first frame of games.
//
//   pane_bench [--rounds N]
//
// Each round starts, alternately, programs with one BrowserPane and programs with one plain
// QWebEngineView (its own persistent profile, as cold as the pane's) on fresh program folders.
//   --pane, --bare   load the demo portal's home page; the time counted is from starting the
//                    process to the line it prints on its first completed load, seen from here,
//                    so both pay the same process start.
//   --local          the pane opens four downloaded games one after the other in the local
//                    player page (flash.htm?<id>);
//   --portal         the pane opens four games embedded in portal pages (flash.htm?<address>);
//   --games          the bare view opens the same four movies, each embedded in a minimal page
//                    that loads the same emulator build the ordinary way, from a web server.
// A game's time runs from navigate()/load() to its first frame: the centre of the grabbed view
// turning to the movie's colour (red and grey by turns, so that the next game's frame cannot be
// mistaken for the last one's).
#include "bare_view.h"
#include "bench_support.h"
#include "browser/browser_pane.h"
#include "browser/web_schemes.h"
#include "base/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <functional>

namespace {

constexpr int kGames = 4;
const char *const kMovies[2] = {"test-solid.swf", "test-fullscreen.swf"};
const QColor kMovieColours[2] = {QColor(0xff, 0, 0), QColor(0x80, 0x80, 0x80)};

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
    QObject::connect(pane, &BrowserPane::downloadComplete, qApp, [] {
        say("loaded");
        QApplication::exit(0);
    });
    pane->navigate(url);
    return QApplication::exec();
}

int runBare(const QString &url)
{
    QWebEngineView *view = showBareView(url);
    QObject::connect(view, &QWebEngineView::loadFinished, qApp, [] {
        say("loaded");
        QApplication::exit(0);
    });
    return QApplication::exec();
}

bool showsColour(const QImage &image, QColor colour)
{
    const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
    return qAbs(centre.red() - colour.red()) <= 8 && qAbs(centre.green() - colour.green()) <= 8 &&
           qAbs(centre.blue() - colour.blue()) <= 8;
}

// Opens games 1 to kGames with open(n) and reports the ms until each one's first frame.
int timeGames(const std::function<void(int)> &open, const std::function<QImage()> &grab)
{
    runUntil([] { return false; }, 500);
    for (int game = 1; game <= kGames; ++game) {
        QElapsedTimer clock;
        clock.start();
        open(game);
        const QColor colour = kMovieColours[(game - 1) % 2];
        const bool shown = runUntil([&] { return showsColour(grab(), colour); }, 60000);
        report(game == 1 ? "first" : "next", shown ? clock.nsecsElapsed() / 1e6 : -1);
        // The player looks at the game a while before the next one.
        runUntil([] { return false; }, 3000);
    }
    return 0;
}

BrowserPane *showGamePane()
{
    auto *pane = new BrowserPane;
    pane->resize(800, 600);
    pane->show();
    return pane;
}

int runLocalGames()
{
    QDir().mkpath(programPath("flash"));
    for (int game = 1; game <= kGames; ++game)
        QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/") + kMovies[(game - 1) % 2],
                    programPath(QString("flash/%1.swf").arg(game)));
    BrowserPane *pane = showGamePane();
    return timeGames([pane](int game) { pane->navigate(programPath("app/flash.htm") + "?" + QString::number(game)); },
                     [pane] { return pane->grabImage(); });
}

int runPortalGames(const QString &portal)
{
    BrowserPane *pane = showGamePane();
    return timeGames(
        [pane, portal](int game) {
            pane->navigate(QString("%1flash.htm?%1games/%2").arg(portal, kMovies[(game - 1) % 2]));
        },
        [pane] { return pane->grabImage(); });
}

int runBareGames(const QString &site)
{
    QWebEngineView *view = showBareView("about:blank");
    view->resize(800, 600);
    return timeGames([view, site](int game) { view->load(QUrl(QString("%1game%2.html").arg(site).arg(game))); },
                     [view] { return view->grab().toImage(); });
}

// The bare view's games: a web site of minimal pages, each embedding one movie with the
// emulator's script tag and the player settings the client uses.
void writeBareSite(const QString &folder)
{
    copyFolder(QStringLiteral(GAMEBOX_BUILD_HOME "/app/ruffle"), folder + "/ruffle");
    for (int game = 1; game <= kGames; ++game) {
        QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/") + kMovies[(game - 1) % 2],
                    QString("%1/%2.swf").arg(folder).arg(game));
        QFile page(QString("%1/game%2.html").arg(folder).arg(game));
        page.open(QIODevice::WriteOnly);
        page.write(QString("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                           "<style>html,body{margin:0;height:100%;overflow:hidden;background:#000}"
                           "embed{display:block;width:100%;height:100%}</style>\n"
                           "<script>window.RufflePlayer = {config: {autoplay: 'on', unmuteOverlay: 'hidden',"
                           " splashScreen: false, letterbox: 'on', logLevel: 'error'}};</script>\n"
                           "<script src=\"ruffle/ruffle.js\"></script></head>\n"
                           "<body><embed src=\"%1.swf\" type=\"application/x-shockwave-flash\" width=\"100%\""
                           " height=\"100%\"></body></html>\n")
                       .arg(game)
                       .toUtf8());
    }
}

// Starts this program in mode on a fresh program folder; returns the ms from start to the
// "loaded" line, or the figures of its "first" and "next" lines.
QList<double> timeChild(const QString &mode, const QString &argument)
{
    const bool withProgramFiles = mode == "--local" || mode == "--portal";
    BenchChild run({}, withProgramFiles ? BenchChild::Files::Program : BenchChild::Files::None);
    QElapsedTimer clock;
    clock.start();
    run.start({mode, argument});
    QProcess &child = run.process;
    QList<double> figures;
    while (child.waitForReadyRead(180000)) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line == "loaded")
                figures << clock.nsecsElapsed() / 1e6;
            else if (line.startsWith("first ") || line.startsWith("next "))
                figures << line.mid(line.indexOf(' ') + 1).toDouble();
        }
    }
    child.waitForFinished(30000);
    return figures;
}

struct GameTimes {
    QList<double> first, next;
    void add(const QList<double> &figures)
    {
        first << figures.value(0, -1);
        next << median(figures.mid(1));
    }
};

int drive(int rounds)
{
    QProcess portal;
    const QString home = startDemoPortal(portal);
    QTemporaryDir bareSite;
    writeBareSite(bareSite.path());
    QProcess bareServer;
    const QString bareSiteUrl = startDemoPortal(bareServer, {"--site", bareSite.path()});

    QList<double> panes, bares;
    GameTimes local, embedded, bareGames;
    for (int round = 1; round <= rounds; ++round) {
        bares << timeChild("--bare", home).value(0, -1);
        panes << timeChild("--pane", home).value(0, -1);
        const QList<double> bare = timeChild("--games", bareSiteUrl);
        const QList<double> ours = timeChild("--local", "");
        const QList<double> web = timeChild("--portal", home);
        std::printf("round %d: start pane %.0f ms, bare view %.0f ms | games (first, next...): local player %s,"
                    " portal page %s, bare view %s ms\n",
                    round, panes.last(), bares.last(), qPrintable(listed(ours)), qPrintable(listed(web)),
                    qPrintable(listed(bare)));
        bareGames.add(bare);
        local.add(ours);
        embedded.add(web);
    }
    printRow("start: one pane, process start to the portal page loaded", panes, bares, "ms", 0, "<= 1.1x");
    printRow("first frame, downloaded game in the local player, first game", local.first, bareGames.first, "ms", 0,
             "<= 1.0x");
    printRow("first frame, downloaded game in the local player, next games", local.next, bareGames.next, "ms", 0,
             "<= 0.5x");
    printRow("first frame, game embedded in a portal page, first game", embedded.first, bareGames.first, "ms", 0,
             "<= 1.0x");
    printRow("first frame, game embedded in a portal page, next games", embedded.next, bareGames.next, "ms", 0,
             "<= 0.5x");
    for (QProcess *server : {&portal, &bareServer}) {
        server->kill();
        server->waitForFinished();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString argument = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == "--pane" || mode == "--bare" || mode == "--local" || mode == "--portal" || mode == "--games") {
        registerWebSchemes();
        QApplication app(argc, argv);
        if (mode == "--pane")
            return runPane(argument);
        if (mode == "--bare")
            return runBare(argument);
        if (mode == "--local")
            return runLocalGames();
        return mode == "--portal" ? runPortalGames(argument) : runBareGames(argument);
    }
    QCoreApplication app(argc, argv);
    return drive(mode == "--rounds" && argc > 2 ? argument.toInt() : 5);
}
