// `make install` into a temporary prefix (with a space and a "%" in it), then the installed
// client started from there, its program folder made read-only, as root and as a player.
#include "installed_tree.h"
#include "pane_driver.h"
#include "base/ini_file.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The visible window of a process, "" while it has none.
QString windowOf(qint64 pid)
{
    const RunResult found = runProgram("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
    const QString window = found.output.section('\n', 0, 0).trimmed();
    bool number = false;
    window.toULong(&number);
    return pid > 0 && found.exitCode == 0 && number ? window : QString();
}

qint64 parentOf(const QString &pid)
{
    const QByteArray status = fileBytes("/proc/" + pid + "/status");
    const int at = status.indexOf("\nPPid:");
    return at < 0 ? 0 : status.mid(at + 6, status.indexOf('\n', at + 1) - at - 6).trimmed().toLongLong();
}

// The processes the client's web engine forked from its zygotes (renderers and helpers), and
// how many of them run under a seccomp-bpf filter ("Seccomp: 2"), as Chromium's sandbox sets.
struct EngineProcesses {
    int forked = 0;
    int filtered = 0;
};

EngineProcesses engineProcessesOf(qint64 client)
{
    EngineProcesses found;
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        const qint64 parent = parentOf(pid);
        if (pid.toLongLong() <= 0 || parent == client ||
            !fileBytes("/proc/" + pid + "/cmdline").contains("QtWebEngineProcess"))
            continue;
        qint64 ancestor = parent;
        while (ancestor > 1 && ancestor != client)
            ancestor = parentOf(QString::number(ancestor));
        if (ancestor != client)
            continue;
        ++found.forked;
        found.filtered += fileBytes("/proc/" + pid + "/status").contains("\nSeccomp:\t2\n");
    }
    return found;
}

class InstalledTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root_ = std::make_unique<QTemporaryDir>();
        // Others must reach the installation to run it as a player.
        QFile::setPermissions(root_->path(), QFile::permissions(root_->path()) | QFile::ReadOther | QFile::ExeOther);
        prefix_ = root_->path() + "/Tamsa games 100%";
        const RunResult install = runProgram("cmake", {"--install", GAMEBOX_BINARY_DIR, "--prefix", prefix_});
        installed_ = install.exitCode == 0;
        if (!installed_)
            ADD_FAILURE() << install.output.toStdString();
    }
    static void TearDownTestSuite()
    {
        runProgram("chmod", {"-R", "u+w", root_->path()});
        root_.reset();
    }
    void SetUp() override { ASSERT_TRUE(installed_); }

    static QString path(const QString &relative) { return prefix_ + "/" + relative; }
    static QString programDir() { return path("lib/tamsa-gamebox"); }

    // Starts the installed launcher with a player's bare environment: no sandbox switch of our
    // own, a home of its own, as the user `as` (the test's own user when it is not root).
    std::unique_ptr<QProcess> startClient(const QString &home, uid_t as)
    {
        QProcessEnvironment env;
        for (const char *name : {"DISPLAY", "PATH", "QT_QPA_PLATFORM", "QTWEBENGINE_CHROMIUM_FLAGS", "LANG"})
            if (qEnvironmentVariableIsSet(name))
                env.insert(name, qEnvironmentVariable(name));
        env.insert("HOME", home);
        const QString runtime = home + "/runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", runtime);
        QStringList command{path("bin/tamsa-gamebox")};
        if (qEnvironmentVariableIsSet("XAUTHORITY")) {
            // The display's cookie, readable by the player.
            const QString cookie = home + "/Xauthority";
            QFile::copy(qEnvironmentVariable("XAUTHORITY"), cookie);
            env.insert("XAUTHORITY", cookie);
        }
        if (as != ::geteuid()) {
            runProgram("chown", {"-R", QString("%1:%1").arg(as), home});
            command = QStringList{"setpriv", QString("--reuid=%1").arg(as), QString("--regid=%1").arg(as),
                                  "--clear-groups", "--"} +
                      command;
        }
        auto client = std::make_unique<QProcess>();
        client->setProcessEnvironment(env);
        client->setProcessChannelMode(QProcess::ForwardedChannels);
        client->start(command.takeFirst(), command);
        EXPECT_TRUE(client->waitForStarted(5000));
        return client;
    }

    void stop(QProcess &client)
    {
        client.terminate();
        if (!client.waitForFinished(10000)) {
            client.kill();
            client.waitForFinished(5000);
        }
    }

    static inline std::unique_ptr<QTemporaryDir> root_;
    static inline QString prefix_;
    static inline bool installed_ = false;
};

} // namespace

TEST_F(InstalledTree, HoldsTheProgramFolderLauncherMenuEntryIconsAndMetainfo)
{
    const QStringList files = filesUnder(prefix_);
    for (const char *file :
         {"bin/tamsa-gamebox", "lib/tamsa-gamebox/play", "lib/tamsa-gamebox/installed",
          "lib/tamsa-gamebox/app/flash.htm", "lib/tamsa-gamebox/app/i.gif", "lib/tamsa-gamebox/app/ruffle/ruffle.js",
          "share/applications/tamsa-gamebox.desktop", "share/metainfo/net.tamsa.gamebox.metainfo.xml",
          "share/icons/hicolor/scalable/apps/tamsa-gamebox.svg"})
        EXPECT_TRUE(files.contains(file)) << file;
    EXPECT_FALSE(files.filter(QRegularExpression("app/ruffle/.*\\.wasm$")).isEmpty());
    // Nothing a run of the build's own copy leaves behind, nothing only a debugger needs.
    EXPECT_EQ(files.filter(QRegularExpression("config\\.ini|\\.dat$|/[ncd]\\.htm$|\\.stamp|\\.map$|profile/|flash/")),
              QStringList());
    EXPECT_TRUE(QFileInfo(path("bin/tamsa-gamebox")).isExecutable());
    EXPECT_TRUE(QFileInfo(programDir() + "/play").isExecutable());
    for (const char *file : {"app/flash.htm", "app/i.gif", "app/ruffle/ruffle.js"})
        EXPECT_EQ(fileBytes(programDir() + "/" + file), fileBytes(QStringLiteral(GAMEBOX_BUILD_HOME "/") + file))
            << file;

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(path(QString("share/icons/hicolor/%1x%1/apps/tamsa-gamebox.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    const QByteArray svg = fileBytes(path("share/icons/hicolor/scalable/apps/tamsa-gamebox.svg"));
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("viewBox=\"0 0 256 256\"")) << svg.left(300).constData();

    const QStringList entry =
        QString::fromUtf8(fileBytes(path("share/applications/tamsa-gamebox.desktop"))).split('\n');
    for (const char *line : {"Type=Application", "Name[zh_CN]=Tamsa游戏盒", "Categories=Game;", "Icon=tamsa-gamebox",
                             "StartupWMClass=tamsa-gamebox"})
        EXPECT_TRUE(entry.contains(line)) << line;
    EXPECT_EQ(entry.filter(QRegularExpression("^(Name|Comment)=.")).size(), 2);
    // The prefix holds a space and "%": quoted, with "%" doubled, the entry names the launcher.
    EXPECT_TRUE(entry.contains("Exec=\"" + QString(path("bin/tamsa-gamebox")).replace("%", "%%") + "\""));

    const RunResult valid = runProgram(
        "appstreamcli", {"validate", "--no-net", "--pedantic", path("share/metainfo/net.tamsa.gamebox.metainfo.xml")});
    EXPECT_EQ(valid.exitCode, 0) << valid.output.toStdString();
}

TEST_F(InstalledTree, RunsFromAReadOnlyFolderWritingOnlyToThePlayersFolder)
{
    // A system installation: readable by everyone, writable by nobody (but root).
    ASSERT_EQ(runProgram("chmod", {"-R", "a-w", prefix_}).exitCode, 0);
    const QStringList installedFiles = filesUnder(prefix_);
    // Root through the launcher's own sandbox switch; then a player, with the sandbox on.
    QList<uid_t> users{::geteuid()};
    if (::geteuid() == 0)
        users << kNobody;
    for (uid_t user : users) {
        SCOPED_TRACE(user);
        QTemporaryDir home;
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        std::unique_ptr<QProcess> client = startClient(home.path(), user);
        QString window;
        ASSERT_TRUE(waitUntil([&] { return !(window = windowOf(client->processId())).isEmpty(); }, 60000))
            << "the installed client shows no window";
        // The window class names the menu entry.
        const QString windowClass = runProgram("xprop", {"-id", window, "WM_CLASS"}).output;
        EXPECT_TRUE(windowClass.contains("\"tamsa-gamebox\"")) << windowClass.toStdString();

        const QString folder = home.path() + "/.local/share/Tamsa游戏盒";
        const IniFile ini(folder + "/config.ini");
        EXPECT_EQ(ini.read("main", "Name", ""), "Tamsa游戏盒");
        for (const char *file : {"app/date_n.dat", "app/n.htm", "app/c.htm", "app/d.htm"})
            EXPECT_TRUE(QFileInfo::exists(folder + "/" + file)) << file;
        EXPECT_EQ(fileBytes(folder + "/app/flash.htm"), fileBytes(programDir() + "/app/flash.htm"));
        EXPECT_EQ(fileBytes(folder + "/app/i.gif"), fileBytes(programDir() + "/app/i.gif"));
        EXPECT_TRUE(waitUntil([&] { return QFileInfo(folder + "/profile").isDir(); }, 30000));

        // The renderers run in Chromium's sandbox, except as root, where the launcher turns it off.
        EngineProcesses engine;
        EXPECT_TRUE(waitUntil(
            [&] {
                engine = engineProcessesOf(client->processId());
                return engine.forked > 0 && (user == 0 || engine.filtered > 0);
            },
            30000));
        if (user == 0) {
            EXPECT_EQ(engine.filtered, 0);
        }
        EXPECT_EQ(client->state(), QProcess::Running);
        stop(*client);
    }
    EXPECT_EQ(filesUnder(prefix_), installedFiles);
}
