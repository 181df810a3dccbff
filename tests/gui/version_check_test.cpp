// The version check on the real window and a real portal: what it asks, what it switches on,
// the updater, and answers it must ignore without holding up the window.
#include "update_fixture.h"

#include "pane_driver.h"
#include "update/text_fetch.h"
#include "update/version_check.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// A program in the program folder's place of the updater that notes where it ran.
void installUpdater(const QString &path, bool executable)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Renamed into place: a test that sees the file must also see what it says.
    file.write("#!/bin/sh\npwd > \"$0.part\" && mv \"$0.part\" \"$0.ran\"\n");
    file.close();
    file.setPermissions(executable ? file.permissions() | QFileDevice::ExeOwner : QFileDevice::ReadOwner |
                                                                                     QFileDevice::WriteOwner);
}

} // namespace

class VersionCheckTest : public UpdateTest {
protected:
    void SetUp() override
    {
        UpdateTest::SetUp();
        shortTimings();
        QFile::remove(home().file("update"));
        QFile::remove(home().file("update.ran"));
    }

    // Builds the window and watches its version fetch from the start.
    void openWatched(bool waitForPortal = true)
    {
        window = std::make_unique<BA1>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        fetched = std::make_unique<QSignalSpy>(window->findChild<TextFetch *>(), &TextFetch::finished);
        window->show();
        if (waitForPortal)
            waitForPortalPage();
    }
    bool waitForCheck() { return waitUntil([this] { return fetched->count() > 0; }, 30000); }
    const VersionCheck &check() const { return window->versionCheck(); }

    std::unique_ptr<QSignalSpy> fetched;
};

TEST_F(VersionCheckTest, NewerVersionAskedAndNoArmsTheAdWindow)
{
    serveVersion("0====1====1.1\r\n");
    MessageBox::queueAnswer(QMessageBox::No);
    openWatched();
    ASSERT_TRUE(waitForCheck());
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    const MessageBox::Shown &box = MessageBox::shown().front();
    EXPECT_EQ(box.title, "Tamsa游戏盒提示：");
    EXPECT_EQ(box.text, "检测到最新版本 1.1 ,你需要现在升级吗？");
    EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(check().LatestVersion(), "1.1");
    EXPECT_EQ(check().ExitRecommend(), "0");
    EXPECT_TRUE(waitUntil([] { return topLevel("adsb") && topLevel("adsb")->isVisible(); }, 10000));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(VersionCheckTest, YesStartsTheUpdaterInTheProgramFolderAndEndsWithoutRecommendation)
{
    installUpdater(home().file("update"), true);
    serveVersion("1====1====1.1");
    MessageBox::queueAnswer(QMessageBox::Yes);
    openWatched(false);
    ASSERT_TRUE(waitForCheck());
    ASSERT_TRUE(waitUntil([] { return home().exists("update.ran"); }, 10000)) << "the updater did not run";
    EXPECT_EQ(home().read("update.ran").trimmed(), home().path().toUtf8());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(check().ExitRecommend(), "0"); // the file asked for the recommendation window
    settleFor(1000); // past the ad window's interval: the updater path does not arm it
    EXPECT_EQ(topLevel("adsb"), nullptr);
    EXPECT_EQ(topLevel("ba4"), nullptr);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(VersionCheckTest, WithoutAnExecutableUpdaterTheInstallerGoesToTheDesktop)
{
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "not executable" : "missing");
        if (present)
            installUpdater(home().file("update"), false);
        opened.clear();
        serveVersion("1====0====2.0");
        MessageBox::queueAnswer(QMessageBox::Yes);
        openWatched(false);
        ASSERT_TRUE(waitForCheck());
        ASSERT_TRUE(waitUntil([this] { return !window->isVisible(); }, 5000));
        EXPECT_EQ(opened, QStringList{portalBase + "update/setup.exe"});
        EXPECT_FALSE(home().exists("update.ran"));
        EXPECT_EQ(topLevel("ba4"), nullptr);
    }
}

TEST_F(VersionCheckTest, ManualCheckAnswersFromWhatTheAutomaticOneRead)
{
    serveVersion("0====0====abc");
    openWatched(false);
    // Before the automatic check has read anything.
    MessageBox::queueAnswer(QMessageBox::Ok);
    window->shengji();
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    EXPECT_EQ(MessageBox::shown().back().title, "提示：");
    EXPECT_EQ(MessageBox::shown().back().text, "你现在使用的是最新版本，无需升级！");
    EXPECT_EQ(MessageBox::shown().back().buttons, QMessageBox::Ok);
    EXPECT_EQ(MessageBox::shown().back().icon, QMessageBox::NoIcon);

    // "abc" is no number: the automatic check asks nothing, the manual one does.
    ASSERT_TRUE(waitForCheck());
    EXPECT_EQ(MessageBox::shown().size(), 1u);
    MessageBox::queueAnswer(QMessageBox::No);
    window->shengji();
    ASSERT_EQ(MessageBox::shown().size(), 2u);
    EXPECT_EQ(MessageBox::shown().back().text, "检测到最新版本 abc ,你需要现在升级吗？");
    EXPECT_EQ(MessageBox::shown().back().title, "Tamsa游戏盒提示：");
    EXPECT_TRUE(window->isVisible());

    MessageBox::queueAnswer(QMessageBox::Yes);
    window->shengji();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(opened, QStringList{portalBase + "update/setup.exe"});
}

// Answers that are not a version file: nothing is asked, nothing changes, no ad window, and
// the window's event loop runs on while the client waits for them.
TEST_F(VersionCheckTest, UnusableAnswersChangeNothingAndNeverHoldTheWindow)
{
    // Letters that do not compress much (the portal compresses text), then the version file.
    QByteArray tenMegabytes(10 * 1024 * 1024, 'a');
    QRandomGenerator letters(7);
    for (char &c : tenMegabytes)
        c = static_cast<char>('a' + letters.bounded(26));
    tenMegabytes += "====1====2.0";
    const struct {
        const char *name;
        QStringList portalArgs; // empty: the shared portal with this file
        QByteArray file;
        bool refused = false;
        bool slow = false; // the client waits for this one a while
    } rows[] = {
        {"error page", {}, "<html><body>500 Internal Server Error</body></html>"},
        {"empty", {}, ""},
        {"binary with separators", {}, QByteArray("\x00\x01====1====2.0", 14)},
        {"10 MB that ends like a version file", {}, tenMegabytes},
        {"404", {"--version-file", "/nonexistent/wen.txt"}, {}},
        {"endless", {"--version-redirect", "/test/bytes?size=999999999999999999&chunked=1"}, {}},
        {"stalled", {"--version-redirect", "/test/stall?size=64&after=0"}, {}, false, true},
        {"refused", {}, {}, true},
    };
    updateTimings().fetchLimit = 3000; // the stall is given up after this
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        serveVersion(row.file);
        std::unique_ptr<PortalProcess> own;
        if (!row.portalArgs.isEmpty()) {
            own = std::make_unique<PortalProcess>(row.portalArgs);
            usePortal(own->baseUrl());
        } else if (row.refused) {
            usePortal("http://127.0.0.1:1/");
        } else {
            usePortal(versionPortal().baseUrl());
        }
        PortalProcess &portal = own ? *own : versionPortal();
        portal.clearLog();
        MessageBox::clearShown();

        // A timer of the window's thread keeps firing between the request and its end.
        int ticks = 0;
        int ticksAtRequest = -1;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(10);
        openWatched(false);
        ASSERT_TRUE(waitUntil([&] {
            if (ticksAtRequest < 0 && portal.requestLog().contains("/lib/wen.txt"))
                ticksAtRequest = ticks;
            return fetched->count() > 0;
        }, 30000));
        if (row.slow) {
            EXPECT_GE(ticksAtRequest, 0);
            EXPECT_GT(ticks, ticksAtRequest);
        }
        settleFor(500); // past the ad window's interval
        EXPECT_TRUE(MessageBox::shown().empty());
        EXPECT_EQ(check().LatestVersion(), "");
        EXPECT_EQ(check().ExitRecommend(), "");
        EXPECT_EQ(topLevel("adsb"), nullptr);
        window->ttt_v();
        EXPECT_EQ(topLevel("ba4"), nullptr);
        window.reset();
    }
}
