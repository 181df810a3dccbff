// One instance per user: hand-over inside this process and between real processes.
#include "shell/single_instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QString socketPath() const { return dir_.path() + "/Tamsa游戏盒|BA1"; }

    std::unique_ptr<QProcess> startProbe(const QString &text, int count, int waitMs) const
    {
        auto probe = std::make_unique<QProcess>();
        probe->start(GAMEBOX_INSTANCE_PROBE,
                     {dir_.path(), text, QString::number(count), QString::number(waitMs)});
        return probe;
    }

    QTemporaryDir dir_;
};

TEST_F(SingleInstanceTest, LaterStartHandsItsCommandLineToTheFirst)
{
    SingleInstance first(dir_.path());
    ASSERT_TRUE(first.claim(""));
    QSignalSpy requests(&first, &SingleInstance::executeRequested);

    SingleInstance second(dir_.path());
    EXPECT_FALSE(second.claim("--游戏 a\nb"));
    ASSERT_TRUE(requests.wait(3000));
    EXPECT_EQ(requests.at(0).at(0).toString(), "--游戏 a\nb");

    // An empty command line is still a request to come to the front.
    SingleInstance third(dir_.path());
    EXPECT_FALSE(third.claim(""));
    ASSERT_TRUE(requests.wait(3000));
    EXPECT_EQ(requests.at(1).at(0).toString(), "");
}

TEST_F(SingleInstanceTest, ChannelIsFreeAgainWhenTheFirstEnds)
{
    {
        SingleInstance first(dir_.path());
        ASSERT_TRUE(first.claim(""));
    }
    SingleInstance next(dir_.path());
    EXPECT_TRUE(next.claim(""));
}

TEST_F(SingleInstanceTest, SecondProcessEndsAtOnceWithStatusZero)
{
    auto first = startProbe("first", 1, 10000);
    ASSERT_TRUE(first->waitForReadyRead(5000));
    ASSERT_EQ(first->readLine().trimmed(), "first");

    QElapsedTimer clock;
    clock.start();
    auto second = startProbe("开始 --x", 0, 0);
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(second->readAllStandardOutput().trimmed(), "second");

    ASSERT_TRUE(first->waitForFinished(5000));
    EXPECT_EQ(QString::fromUtf8(first->readAllStandardOutput().trimmed()), "got:开始 --x");
}

TEST_F(SingleInstanceTest, KilledFirstProcessLeavesNoObstacle)
{
    auto crashed = startProbe("a", 100, 30000);
    ASSERT_TRUE(crashed->waitForReadyRead(5000));
    ASSERT_EQ(crashed->readLine().trimmed(), "first");
    crashed->kill(); // SIGKILL: no chance to remove its socket
    ASSERT_TRUE(crashed->waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(socketPath()));

    auto next = startProbe("b", 0, 0);
    ASSERT_TRUE(next->waitForFinished(5000));
    EXPECT_EQ(next->readAllStandardOutput().trimmed(), "first");
}

TEST_F(SingleInstanceTest, StartWaitsWhileAnotherIsBetweenLookingAndServing)
{
    // This test plays a start that found no one and is about to serve: it holds the claim
    // lock. A start meanwhile must wait for it rather than serve the channel too.
    const int lock = ::open(QFile::encodeName(socketPath() + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    auto waiting = startProbe("late", 0, 0);
    EXPECT_FALSE(waiting->waitForFinished(500)) << waiting->readAllStandardOutput().toStdString();

    QLocalServer server;
    ASSERT_TRUE(server.listen(socketPath()));
    ::close(lock);
    ASSERT_TRUE(waiting->waitForFinished(5000));
    EXPECT_EQ(waiting->readAllStandardOutput().trimmed(), "second");
    EXPECT_TRUE(server.waitForNewConnection(3000));
}

TEST_F(SingleInstanceTest, TwentyStartsAtOnceLeaveExactlyOneFirst)
{
    constexpr int kStarts = 20;
    std::vector<std::unique_ptr<QProcess>> probes;
    for (int i = 0; i < kStarts; ++i)
        probes.push_back(startProbe("start-" + QString::number(i), kStarts - 1, 30000));

    int firsts = 0;
    QStringList handedOver;
    QStringList secondTexts;
    for (int i = 0; i < kStarts; ++i) {
        ASSERT_TRUE(probes[i]->waitForFinished(40000)) << "start " << i << " did not end";
        EXPECT_EQ(probes[i]->exitCode(), 0);
        const QStringList lines = QString::fromUtf8(probes[i]->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        if (lines.first() == "first") {
            ++firsts;
            for (const QString &line : lines.mid(1))
                handedOver << line.mid(4);
        } else {
            EXPECT_EQ(lines, QStringList{"second"});
            secondTexts << "start-" + QString::number(i);
        }
    }
    EXPECT_EQ(firsts, 1);
    handedOver.sort();
    secondTexts.sort();
    EXPECT_EQ(handedOver, secondTexts) << "every later start reaches the first";
}

} // namespace
