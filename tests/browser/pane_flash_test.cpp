// Flash through the bundled emulator: the local player page and SWFs embedded in web pages,
// checked on the pixels of the grabbed pane.
#include "pane_fixture.h"
#include "pane_driver.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

const QColor kRed(0xff, 0, 0);

void installGame(const QString &fixture, const QString &id)
{
    QDir().mkpath(PaneTest::home().file("flash"));
    const QString target = PaneTest::home().file("flash/" + id + ".swf");
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/") + fixture, target)) << fixture.toStdString();
}

QString playerPage(const QString &id) { return PaneTest::home().file("app/flash.htm") + "?" + id; }

} // namespace

class PaneFlash : public PaneTest {
protected:
    // Waits until the given part of the pane shows colour over most of its area.
    bool waitForColour(QColor colour, QRect part = {}, double fraction = 0.9)
    {
        QString last;
        const bool shown = waitFor([&] {
            QImage image = pane->grabImage();
            if (!part.isNull())
                image = image.copy(part);
            last = colourCoverage(image, colour, fraction);
            return last.isEmpty();
        }, 30000);
        if (!shown)
            ADD_FAILURE() << last.toStdString();
        return shown;
    }

    QString pageText() { return js("document.body.innerText").toString(); }

    // The status of a GET of url from the page, -1 for a failed request.
    int statusOf(const QString &url)
    {
        js(QString("window.probe = 0; { const x = new XMLHttpRequest(); x.open('GET', '%1');"
                   " x.onload = () => { window.probe = x.status; }; x.onerror = () => { window.probe = -1; };"
                   " x.send(); }").arg(url));
        waitFor([&] { return js("window.probe").toInt() != 0; });
        return js("window.probe").toInt();
    }
};

TEST_F(PaneFlash, TheLocalPlayerPagePlaysTheDownloadedGameFillingThePane)
{
    installGame("test-solid.swf", "5");
    load(playerPage("5"));
    EXPECT_TRUE(waitForColour(kRed));

    // A wider pane: the 400x300 stage keeps its shape, scaled by 4/3 and centred. The first
    // bar the save-counter movie draws (stage x 20-44, y 240-280) shows where it went.
    installGame("test-saves.swf", "21");
    pane->resize(800, 400);
    load(playerPage("21"));
    ASSERT_TRUE(waitForColour(kRed, QRect(140, 326, 16, 40)));
    const QImage shown = pane->grabImage();
    EXPECT_EQ(colourCoverage(shown.copy(166, 326, 20, 40), QColor(0xff, 0xff, 0xff), 0.9), "");
    EXPECT_EQ(colourCoverage(shown.copy(196, 326, 16, 40), kRed, 0.9), "");
}

TEST_F(PaneFlash, TheGameRunsHasSoundFromTheStartAndTheKeyboard)
{
    // Every audio context the page makes, for a look at its state.
    QWebEngineScript audioWatch;
    audioWatch.setName("test-audio-watch");
    audioWatch.setInjectionPoint(QWebEngineScript::DocumentCreation);
    audioWatch.setWorldId(QWebEngineScript::MainWorld);
    audioWatch.setSourceCode("window.audioContexts = []; const Native = window.AudioContext;"
                             "window.AudioContext = function (...args) { const c = new Native(...args);"
                             " window.audioContexts.push(c); return c; };");
    pane->page()->scripts().insert(audioWatch);
    installGame("test-sound.swf", "9");
    load(playerPage("9"));
    EXPECT_TRUE(waitFor([&] {
        return js("window.audioContexts.length > 0 && window.audioContexts.every(c => c.state === 'running')").toBool();
    }, 30000)) << js("window.audioContexts.map(c => c.state).join()").toString().toStdString();

    installGame("test-anim.swf", "6");
    load(playerPage("6"));
    ASSERT_TRUE(waitFor([&] { return colourCoverage(pane->grabImage(), QColor(0, 0, 0), 0.5) != ""; }, 30000));
    const QImage first = pane->grabImage();
    settle(400);
    EXPECT_NE(pane->grabImage(), first);

    // Keys reach the game without a click first.
    installGame("test-keys.swf", "7");
    load(playerPage("7"));
    ASSERT_TRUE(waitFor([&] { return js("!!document.querySelector('ruffle-embed') && "
                                        "document.querySelector('ruffle-embed').readyState === 2").toBool(); }, 30000));
    settle(500);
    EXPECT_EQ(colourCoverage(pane->grabImage(), QColor(0, 0, 0), 0.9), "");
    QTest::keyClick(pane->findChild<QWebEngineView *>()->focusProxy(), Qt::Key_Space);
    EXPECT_TRUE(waitForColour(QColor(0xff, 0xff, 0xff)));
}

TEST_F(PaneFlash, TheGamesOwnFullScreenButtonWorks)
{
    QList<bool> changes;
    QObject::connect(pane.get(), &BrowserPane::fullScreenChanged, pane.get(), [&](bool on) { changes << on; });
    installGame("test-fullscreen.swf", "11");
    load(playerPage("11"));
    ASSERT_TRUE(waitForColour(QColor(0x80, 0x80, 0x80)));
    click("ruffle-embed");
    EXPECT_TRUE(waitForColour(QColor(0, 0xc0, 0)));
    EXPECT_TRUE(waitFor([&] { return !changes.isEmpty(); }));
    EXPECT_EQ(changes, QList<bool>{true});
    // A second click leaves full screen again.
    click("ruffle-embed");
    EXPECT_TRUE(waitForColour(QColor(0x80, 0x80, 0x80)));
    EXPECT_TRUE(waitFor([&] { return changes.size() >= 2; }));
    EXPECT_EQ(changes, (QList<bool>{true, false}));
}

TEST_F(PaneFlash, AMissingOrBrokenFileShowsAShortMessage)
{
    QFile::remove(home().file("flash/404.swf"));
    load(playerPage("404"));
    EXPECT_TRUE(waitFor([&] { return pageText().contains(QString::fromUtf8("游戏文件不存在")); })) << pageText().toStdString();

    home().write("flash/12.swf", "this is no flash movie");
    load(playerPage("12"));
    EXPECT_TRUE(waitFor([&] { return pageText().contains(QString::fromUtf8("游戏文件已损坏")); })) << pageText().toStdString();

    // Cut short: the header's length no longer matches.
    QFile solid(QStringLiteral(GAMEBOX_GAMES_DIR "/test-solid.swf"));
    ASSERT_TRUE(solid.open(QIODevice::ReadOnly));
    home().write("flash/13.swf", solid.readAll().left(40));
    load(playerPage("13"));
    EXPECT_TRUE(waitFor([&] { return pageText().contains(QString::fromUtf8("游戏文件已损坏")); })) << pageText().toStdString();

    // Only a number names a file.
    installGame("test-solid.swf", "5");
    load(home().file("app/flash.htm") + "?../flash/5");
    EXPECT_TRUE(waitFor([&] { return pageText().contains(QString::fromUtf8("游戏文件不存在")); })) << pageText().toStdString();
}

TEST_F(PaneFlash, SwfsEmbeddedInWebPagesPlayThroughTheSameEmulator)
{
    for (const char *page : {"embed.html", "object.html"}) {
        load(siteUrl(page));
        EXPECT_TRUE(waitForColour(kRed, QRect(20, 20, 360, 260))) << page;
        EXPECT_EQ(colourCoverage(pane->grabImage().copy(450, 350, 300, 200), QColor(0xff, 0xff, 0xff), 0.9), "");
    }
    // A page without Flash does not load it.
    load(siteUrl("next.html"));
    EXPECT_EQ(js("typeof window.RufflePlayer").toString(), "undefined");

    // The emulator's scheme serves its own folder and nothing else.
    EXPECT_EQ(statusOf("ruffle://player/package.json"), 200);
    EXPECT_EQ(statusOf("ruffle://player/..%2Fflash.htm"), -1);
    EXPECT_EQ(statusOf("ruffle://player/%2E%2E/flash.htm"), -1);
    EXPECT_EQ(statusOf("ruffle://player/../flash.htm"), -1);
}
