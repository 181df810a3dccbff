// The Debian package CPack makes of this build: its files, the dependencies dpkg-shlibdeps
// computed plus ours, its metainfo; then, as root where it is not installed yet, dpkg installs
// it and purges it again without leaving a file behind.
#include "installed_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

namespace {

class DebPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        const RunResult made = runProgram(
            "cpack", {"-G", "DEB", "--config", GAMEBOX_BINARY_DIR "/CPackConfig.cmake", "-B", dir_->path()}, 600000);
        const QStringList debs = QDir(dir_->path()).entryList({"*.deb"}, QDir::Files);
        if (made.exitCode != 0 || debs.size() != 1)
            ADD_FAILURE() << made.output.toStdString();
        else
            deb_ = dir_->filePath(debs.first());
    }
    static void TearDownTestSuite() { dir_.reset(); }
    void SetUp() override { ASSERT_FALSE(deb_.isEmpty()); }

    static bool installedStatus()
    {
        return runProgram("dpkg-query", {"-W", "-f=${Status}", "tamsa-gamebox"}).output.contains("ok installed");
    }

    static QString field(const char *name) { return runProgram("dpkg-deb", {"-f", deb_, name}).output.trimmed(); }

    // dpkg, waiting while another package tool holds its lock.
    static RunResult dpkg(const QStringList &args)
    {
        RunResult result;
        for (int attempt = 0; attempt < 60; ++attempt) {
            result = runProgram("dpkg", args);
            if (result.exitCode == 0 || !result.output.contains("lock"))
                break;
            QThread::sleep(2);
        }
        return result;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString deb_;
};

} // namespace

TEST_F(DebPackage, HoldsTheInstallationUnderUsrWithItsDependencies)
{
    EXPECT_EQ(field("Package"), "tamsa-gamebox");
    EXPECT_EQ(field("Section"), "games");
    const QString depends = field("Depends");
    // Computed from the client's libraries, with versions, and the ones no library names.
    for (const char *package : {"libc6 (", "libqt6webenginecore6 (", "libqt6widgets6 (", "libpulse0 (",
                                "libqt6webenginecore6-bin", "qt6-qpa-plugins", "fonts-wqy-microhei"})
        EXPECT_TRUE(depends.contains(package)) << package << " in " << depends.toStdString();

    QStringList paths;
    for (const QString &line : runProgram("dpkg-deb", {"-c", deb_}).output.split('\n', Qt::SkipEmptyParts))
        paths << line.section(' ', -1);
    for (const char *file :
         {"./usr/bin/tamsa-gamebox", "./usr/lib/tamsa-gamebox/play", "./usr/lib/tamsa-gamebox/installed",
          "./usr/lib/tamsa-gamebox/app/flash.htm", "./usr/lib/tamsa-gamebox/app/ruffle/ruffle.js",
          "./usr/share/applications/tamsa-gamebox.desktop", "./usr/share/icons/hicolor/48x48/apps/tamsa-gamebox.png",
          "./usr/share/metainfo/net.tamsa.gamebox.metainfo.xml"})
        EXPECT_TRUE(paths.contains(file)) << file;
    EXPECT_EQ(paths.filter(QRegularExpression("^\\./(?!usr/)")), QStringList());

    // Unpacked, the tree passes AppStream's check of metainfo against the menu entry and icon.
    const QString tree = dir_->filePath("tree");
    ASSERT_EQ(runProgram("dpkg-deb", {"-x", deb_, tree}).exitCode, 0);
    const RunResult valid = runProgram("appstreamcli", {"validate-tree", "--no-net", tree});
    EXPECT_EQ(valid.exitCode, 0) << valid.output.toStdString();
    QFile entry(tree + "/usr/share/applications/tamsa-gamebox.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("\nExec=/usr/bin/tamsa-gamebox\n"));
}

TEST_F(DebPackage, DpkgInstallsAndPurgesItLeavingNoFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "dpkg needs root";
    if (installedStatus())
        GTEST_SKIP() << "tamsa-gamebox is installed on this machine; not ours to remove";

    const RunResult install = dpkg({"-i", deb_});
    EXPECT_EQ(install.exitCode, 0) << install.output.toStdString();
    QStringList files;
    for (const QString &path : runProgram("dpkg", {"-L", "tamsa-gamebox"}).output.split('\n', Qt::SkipEmptyParts))
        if (QFileInfo(path).isFile())
            files << path;
    EXPECT_TRUE(files.contains("/usr/lib/tamsa-gamebox/play"));
    EXPECT_TRUE(QFileInfo("/usr/bin/tamsa-gamebox").isExecutable());

    // Purged even after a failed install, so the machine is left as it was.
    const RunResult purge = dpkg({"--purge", "tamsa-gamebox"});
    EXPECT_EQ(purge.exitCode, 0) << purge.output.toStdString();
    for (const QString &file : files)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_FALSE(QFileInfo::exists("/usr/lib/tamsa-gamebox"));
    EXPECT_FALSE(installedStatus());
}
