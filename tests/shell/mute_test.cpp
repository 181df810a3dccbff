// The system mute against a private sound server, an absent one and one that never answers.
#include "shell/mute.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Points libpulse at one server address for the life of the object.
class PulseServerAddress {
public:
    explicit PulseServerAddress(const QString &socketPath)
        : previous_(qgetenv("PULSE_SERVER")), hadPrevious_(qEnvironmentVariableIsSet("PULSE_SERVER"))
    {
        qputenv("PULSE_SERVER", ("unix:" + socketPath).toUtf8());
    }
    ~PulseServerAddress()
    {
        if (hadPrevious_)
            qputenv("PULSE_SERVER", previous_);
        else
            qunsetenv("PULSE_SERVER");
    }

private:
    QByteArray previous_;
    bool hadPrevious_;
};

bool timedToggle(qint64 *elapsedMs)
{
    QElapsedTimer clock;
    clock.start();
    const bool toggled = toggleSystemMute();
    *elapsedMs = clock.elapsed();
    return toggled;
}

TEST(SystemMute, NoSoundServerChangesNothingAndReturnsAtOnce)
{
    QTemporaryDir dir;
    const PulseServerAddress address(dir.path() + "/native");
    qint64 elapsed = 0;
    EXPECT_FALSE(timedToggle(&elapsed));
    EXPECT_LT(elapsed, 500);
}

TEST(SystemMute, ServerThatNeverAnswersDoesNotHangTheClient)
{
    QTemporaryDir dir;
    QLocalServer silent; // the kernel accepts the connection; nobody ever replies
    ASSERT_TRUE(silent.listen(dir.path() + "/native"));
    const PulseServerAddress address(dir.path() + "/native");
    qint64 elapsed = 0;
    EXPECT_FALSE(timedToggle(&elapsed));
    EXPECT_LT(elapsed, 2000);
}

class PrivateSoundServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty()
            || QStandardPaths::findExecutable("pactl").isEmpty())
            GTEST_SKIP() << "pulseaudio and pactl (packages pulseaudio, pulseaudio-utils) are not installed";
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_.path());
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        env.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
        env.remove("DISPLAY"); // no X11 publishing of this server to a desktop
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        // A null output as the only (default) sink; running as root needs no system mode
        // when the modules are given explicitly.
        server_.start("pulseaudio",
                      {"-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
                       "--use-pid-file=false", "-L", "module-null-sink",
                       "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket(),
                       "--log-target=stderr"});
        ASSERT_TRUE(server_.waitForStarted(5000));
        if (!QTest::qWaitFor([this] { return QFile::exists(socket()) || server_.state() == QProcess::NotRunning; }, 10000)
            || !QFile::exists(socket()))
            GTEST_SKIP() << "pulseaudio did not start here: " << server_.readAll().toStdString();
        address_ = std::make_unique<PulseServerAddress>(socket());
    }

    void TearDown() override
    {
        address_.reset();
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000))
                server_.kill();
            server_.waitForFinished(5000);
        }
    }

    QString socket() const { return dir_.path() + "/native"; }

    // The default sink's mute as the sound server reports it to another client.
    QString sinkMute()
    {
        QProcess pactl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:" + socket());
        pactl.setProcessEnvironment(env);
        pactl.start("pactl", {"get-sink-mute", "@DEFAULT_SINK@"});
        pactl.waitForFinished(5000);
        return QString::fromUtf8(pactl.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir dir_;
    QProcess server_;
    std::unique_ptr<PulseServerAddress> address_;
};

TEST_F(PrivateSoundServer, EachToggleFlipsTheDefaultOutputsMute)
{
    ASSERT_EQ(sinkMute(), "Mute: no");
    qint64 elapsed = 0;
    EXPECT_TRUE(timedToggle(&elapsed));
    EXPECT_LT(elapsed, 1000);
    EXPECT_EQ(sinkMute(), "Mute: yes");
    EXPECT_TRUE(timedToggle(&elapsed));
    EXPECT_EQ(sinkMute(), "Mute: no");
}

} // namespace
