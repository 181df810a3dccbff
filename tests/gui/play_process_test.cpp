// The built client as a process: the files its first start leaves, and later starts that hand
// over to the running one and end, leaving one window.
#include "pane_driver.h"
#include "portal_process.h"
#include "base/ini_file.h"
#include "temp_home.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

namespace {

QStringList clientWindows()
{
    QProcess search;
    search.start("xdotool", {"search", "--onlyvisible", "--name", "^Tamsa游戏盒$"});
    search.waitForFinished(5000);
    return QString::fromLatin1(search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

class PlayProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(portal.isListening());
        IniFile(home.file("config.ini")).write("main", "Portal", portal.baseUrl());
        env.insert("TAMSA_HOME", home.path());
        env.insert("XDG_RUNTIME_DIR", runtime.path()); // the instance channel of this test only
    }
    void TearDown() override
    {
        for (auto &client : clients) {
            client->kill();
            client->waitForFinished(5000);
        }
    }
    QProcess &start()
    {
        clients.push_back(std::make_unique<QProcess>());
        QProcess &client = *clients.back();
        client.setProcessEnvironment(env);
        client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        client.start(buildHome() + "/play", {"--from-test"});
        EXPECT_TRUE(client.waitForStarted(5000));
        return client;
    }

    PortalProcess portal;
    TempHome home{true};
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> clients;
};

} // namespace

TEST_F(PlayProcess, LaterStartsHandOverAndEndLeavingOneWindow)
{
    QProcess &first = start();
    ASSERT_TRUE(waitUntil([] { return clientWindows().size() == 1; }, 30000)) << "the first client shows no window";

    QProcess &second = start();
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    std::vector<QProcess *> crowd;
    for (int i = 0; i < 20; ++i)
        crowd.push_back(&start());
    for (QProcess *client : crowd) {
        EXPECT_TRUE(client->waitForFinished(30000));
        EXPECT_EQ(client->exitCode(), 0);
    }
    EXPECT_EQ(first.state(), QProcess::Running);
    // Each hand-over hides and shows the first window to bring it to the front.
    settleFor(1000);
    EXPECT_EQ(clientWindows().size(), 1);
}

TEST_F(PlayProcess, ACrashedClientDoesNotBlockTheNextStart)
{
    QProcess &crashed = start();
    ASSERT_TRUE(waitUntil([] { return clientWindows().size() == 1; }, 30000));
    ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
    crashed.waitForFinished(5000);
    ASSERT_TRUE(waitUntil([] { return clientWindows().empty(); }, 10000));

    QProcess &next = start();
    EXPECT_FALSE(next.waitForFinished(3000)) << "the next start ended instead of running";
    EXPECT_TRUE(waitUntil([] { return clientWindows().size() == 1; }, 30000));
}

TEST_F(PlayProcess, FirstStartLeavesSettingsRecordsAndPages)
{
    TempHome fresh;
    env.insert("TAMSA_HOME", fresh.path());
    QProcess &client = start();
    ASSERT_TRUE(waitUntil([] { return clientWindows().size() == 1; }, 30000));
    EXPECT_EQ(client.state(), QProcess::Running);

    const IniFile ini(fresh.file("config.ini"));
    EXPECT_EQ(ini.read("main", "Name", ""), "Tamsa游戏盒");
    EXPECT_FALSE(ini.read("main", "user", "").isEmpty());
    EXPECT_EQ(ini.read("S_q", "h_w", ""), "13550");
    EXPECT_EQ(ini.read("main", "Portal", "none"), "none");
    for (const char *record : {"app/date_n.dat", "app/date_c.dat", "app/date_d.dat"})
        EXPECT_EQ(fresh.read(record), "\r\n") << record;
    for (const char *page : {"app/n.htm", "app/c.htm", "app/d.htm"})
        EXPECT_TRUE(fresh.read(page).endsWith("</html>\r\n")) << page;
    EXPECT_FALSE(fresh.exists("flash"));
}
