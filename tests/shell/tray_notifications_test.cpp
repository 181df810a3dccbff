// The tray icon as today's desktops take it, on a session bus of the test's own: a
// StatusNotifierItem that registers with the panel's watcher (sni_watcher) and acts on the
// panel's clicks, and balloons that reach a real notification daemon (dunst).
#include "pane_driver.h"
#include "shell/tray_icon.h"
#include "temp_home.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool serving(const char *service) { return QDBusConnection::sessionBus().interface()->isServiceRegistered(service); }

// Balloons the notification daemon was sent, as summary and body, oldest first. Shown ones
// enter its history only once closed.
QList<std::pair<QString, QString>> notifications()
{
    QProcess::execute("dunstctl", {"close-all"});
    QProcess history;
    history.start("dunstctl", {"history"});
    history.waitForFinished(5000);
    QList<std::pair<QString, QString>> found;
    const QJsonArray entries =
        QJsonDocument::fromJson(history.readAllStandardOutput())["data"].toArray().at(0).toArray();
    for (const QJsonValue &entry : entries)
        found.prepend({entry["summary"]["data"].toString(), entry["body"]["data"].toString()});
    return found;
}

class TrayOnTheBus : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        watcher_ = std::make_unique<QProcess>();
        watcher_->start(GAMEBOX_SNI_WATCHER);
        daemon_ = std::make_unique<QProcess>();
        daemon_->setProcessChannelMode(QProcess::ForwardedChannels);
        daemon_->start("dunst");
    }
    static void TearDownTestSuite()
    {
        for (QProcess *process : {watcher_.get(), daemon_.get()}) {
            process->terminate();
            process->waitForFinished(3000);
        }
        watcher_.reset();
        daemon_.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(waitUntil([] { return serving("org.kde.StatusNotifierWatcher"); }, 10000)) << "no watcher";
        ASSERT_TRUE(waitUntil([] { return serving("org.freedesktop.Notifications"); }, 10000)) << "no dunst";
        window_.setWindowTitle("Tamsa游戏盒");
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        menu_.addAction("软件设置");
        tray_install(&window_, &menu_, window_.windowTitle());
        // Each icon registers under the bus name of its own connection; the watcher prints them.
        ASSERT_TRUE(waitUntil(
            [this] {
                const QStringList lines =
                    QString::fromUtf8(watcher_->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
                if (!lines.isEmpty())
                    item_ = lines.last();
                return item_.startsWith(':');
            },
            10000))
            << "the icon did not register";
    }
    void TearDown() override { tray_remove(); }

    // A call of the panel on the icon, answered while the event loop runs.
    void callItem(const char *method)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(item_, "/StatusNotifierItem", "org.kde.StatusNotifierItem", method);
        call << 0 << 0;
        QDBusConnection::sessionBus().asyncCall(call);
    }

    static inline std::unique_ptr<QProcess> watcher_;
    static inline std::unique_ptr<QProcess> daemon_;
    TempHome home_;
    QWidget window_;
    QMenu menu_;
    QString item_;
};

} // namespace

TEST_F(TrayOnTheBus, TheIconRegistersWithThePanelAndItsClicksActOnTheWindow)
{
    EXPECT_TRUE(tray_in_notification_area());

    callItem("Activate");
    EXPECT_TRUE(waitUntil([this] { return !window_.isVisible(); }, 5000)) << "a left click hides the window";
    callItem("Activate");
    EXPECT_TRUE(waitUntil([this] { return window_.isVisible(); }, 5000)) << "a second one shows it";
    window_.showMinimized();
    callItem("Activate");
    EXPECT_TRUE(waitUntil([this] { return !window_.isMinimized(); }, 5000)) << "a minimised window is restored";

    callItem("ContextMenu");
    EXPECT_TRUE(waitUntil([this] { return menu_.isVisible(); }, 5000)) << "a right click pops up the menu";
    menu_.hide();
}

TEST_F(TrayOnTheBus, BalloonsReachTheNotificationDaemonWithTheirTitleAndText)
{
    tray_balloon("已添加到收藏!连连看");
    tray_balloon("截图完成。路径:/home/player/Desktop/连连看/1.bmp");
    QList<std::pair<QString, QString>> received;
    EXPECT_TRUE(waitUntil([&] { return (received = notifications()).size() >= 2; }, 10000));
    const QList<std::pair<QString, QString>> expected{
        {"Tamsa游戏盒提示:", "已添加到收藏!连连看"},
        {"Tamsa游戏盒提示:", "截图完成。路径:/home/player/Desktop/连连看/1.bmp"}};
    EXPECT_EQ(received, expected);
}

TEST_F(TrayOnTheBus, MarkupInABalloonReachesTheDaemonAsText)
{
    // A game name is the portal's: the daemon reads bodies as markup, so it gets them escaped.
    tray_balloon("已添加到收藏!<b>粗</b> & <img src=\"x\">");
    QList<std::pair<QString, QString>> received;
    EXPECT_TRUE(waitUntil([&] { return !(received = notifications()).isEmpty(); }, 10000));
    ASSERT_FALSE(received.isEmpty());
    EXPECT_EQ(received.last().second, "已添加到收藏!&lt;b&gt;粗&lt;/b&gt; &amp; &lt;img src=&quot;x&quot;&gt;");
    EXPECT_EQ(tray_record().balloonText, "已添加到收藏!<b>粗</b> & <img src=\"x\">");
}
