// The portal server as a process: its request log, its lifetime, where it listens.
#include "http_fetch.h"
#include "portal_process.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QNetworkInterface>
#include <QProcess>

#include <thread>

TEST(PortalServer, LogsEachTargetExactlyAsReceivedInOrder)
{
    PortalProcess portal;
    fetch(portal.port(), "/tj/tj.asp?id=00-1A-2B-3C-4D-5E");
    fetch(portal.port(), "/flash.htm?http://127.0.0.1:1/games/a%20b.swf");
    fetch(portal.port(), "/no/such/page?x=%u6D4B");
    fetch(portal.port(), "/test/abort?size=10&after=2");
    EXPECT_EQ(portal.requestLog(), (QStringList{"/tj/tj.asp?id=00-1A-2B-3C-4D-5E",
                                                "/flash.htm?http://127.0.0.1:1/games/a%20b.swf",
                                                "/no/such/page?x=%u6D4B", "/test/abort?size=10&after=2"}));
    portal.clearLog();
    EXPECT_TRUE(portal.requestLog().isEmpty());
    fetch(portal.port(), "/lib/wen.txt");
    EXPECT_EQ(portal.requestLog(), QStringList{"/lib/wen.txt"});
}

TEST(PortalServer, LogLineIsWrittenWhenTheRequestArrives)
{
    // A test waiting on a stalled download can already see what was asked for.
    PortalProcess portal;
    std::thread stalled([&] { fetch(portal.port(), "/test/stall?size=100&after=1", {}, 1000); });
    QStringList log;
    for (int i = 0; i < 50 && log.isEmpty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = portal.requestLog();
    }
    EXPECT_EQ(log, QStringList{"/test/stall?size=100&after=1"});
    stalled.join();
}

TEST(PortalServer, LifetimeEndsTheServerEvenDuringAStall)
{
    PortalProcess portal({"--lifetime", "1"});
    ASSERT_TRUE(portal.isListening());
    Fetched stalled;
    std::thread client([&] { stalled = fetch(portal.port(), "/test/stall?size=100000&after=10", {}, 30000); });
    EXPECT_TRUE(portal.waitForExit(4000)) << "the server outlived its lifetime";
    EXPECT_EQ(portal.exitCode(), 0);
    client.join();
    EXPECT_LT(stalled.seconds, 5.0);
    EXPECT_EQ(stalled.body.size(), 10u);
}

TEST(PortalServer, ListensOnTheLoopbackAddressOnly)
{
    PortalProcess portal;
    ASSERT_EQ(fetch(portal.port(), "/test/zero").status, 200);
    // Another loopback address reaches 0.0.0.0 but not a socket bound to 127.0.0.1.
    EXPECT_EQ(fetch("127.0.0.2", portal.port(), "/test/zero").error, httplib::Error::Connection);
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        EXPECT_EQ(fetch(address.toString().toStdString(), portal.port(), "/test/zero").error,
                  httplib::Error::Connection)
            << address.toString().toStdString();
    }
}

TEST(PortalServer, RefusesBadCommandLinesAndBusyPorts)
{
    const auto run = [](const QStringList &args) {
        QProcess process;
        process.start(QStringLiteral(GAMEBOX_PORTAL_BIN), args);
        process.waitForFinished(5000);
        return process.exitCode();
    };
    EXPECT_EQ(run({"--port", "x"}), 2);
    EXPECT_EQ(run({"--bogus", "1"}), 2);
    EXPECT_EQ(run({"--lifetime"}), 2);
    EXPECT_EQ(run({"--version-redirect", "http://elsewhere/wen.txt"}), 2);
    EXPECT_EQ(run({"--version-redirect", "//elsewhere/wen.txt"}), 2);
    EXPECT_EQ(run({"--site", "/nonexistent/site", "--lifetime", "1"}), 1);

    PortalProcess portal;
    EXPECT_EQ(run({"--port", QString::number(portal.port()), "--lifetime", "1"}), 1);
}
