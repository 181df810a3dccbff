// A game's saves (Flash shared objects, kept in the page's local storage) survive a restart
// of the client: each run of the save-counter movie below is a process of its own on the
// same program folder, and the count it finds grows by one each time.
#include "browser/browser_pane.h"
#include "base/program_folder.h"
#include "pane_driver.h"
#include "temp_home.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// Set for a run: the stage colour it must see (#ff0000 for count 1, green for 2, blue for 3).
const char kRunColour[] = "TAMSA_SAVES_RUN_COLOUR";
} // namespace

TEST(PaneSaves, TheCountIsFoundAgainAfterEachRestart)
{
    if (qEnvironmentVariableIsSet(kRunColour))
        GTEST_SKIP() << "a run of the test below";
    TempHome home(true);
    QDir().mkpath(home.file("flash"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GAMEBOX_GAMES_DIR "/test-saves.swf"), home.file("flash/8.swf")));
    for (const char *colour : {"#ff0000", "#00ff00", "#0000ff"}) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAMSA_HOME", home.path());
        environment.insert(kRunColour, colour);
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=PaneSaves.OneRun"});
        ASSERT_TRUE(run.waitForFinished(120000)) << colour;
        const QByteArray output = run.readAll();
        EXPECT_EQ(run.exitCode(), 0) << colour << "\n" << output.constData();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << colour << "\n" << output.constData();
    }
}

// One start of the client: play the movie, see the count it found, quit.
TEST(PaneSaves, OneRun)
{
    const QColor expected(qEnvironmentVariable(kRunColour));
    if (!expected.isValid())
        GTEST_SKIP() << "run by the test above";
    auto pane = std::make_unique<BrowserPane>();
    pane->resize(400, 300);
    pane->show();
    pane->navigate(programPath("app/flash.htm") + "?8");
    QColor shown;
    const bool seen = waitUntil([&] {
        shown = pane->grabImage().pixelColor(100, 100);
        return shown == expected;
    }, 60000);
    EXPECT_TRUE(seen) << "stage shows " << shown.name().toStdString();
    pane.reset();
}
