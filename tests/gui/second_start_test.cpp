// Starting the real client while it runs: the later starts hand over and end, one window stays.
#include "pane_driver.h"
#include "portal_process.h"
#include "startup/ini_file.h"
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

class SecondStart : public ::testing::Test {
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

TEST_F(SecondStart, LaterStartsHandOverAndEndLeavingOneWindow)
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
    EXPECT_EQ(clientWindows().size(), 1);
}

TEST_F(SecondStart, ACrashedClientDoesNotBlockTheNextStart)
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
