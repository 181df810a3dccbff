// The demo portal's pages as the client's panes fetch them.
#include "http_fetch.h"
#include "portal_process.h"

#include "records/unescape.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// A site folder of the test's own, so the games do not depend on the generated ones.
class SiteFolder {
public:
    void writeManifest(const QByteArray &text) const { write("games/games.txt", text); }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(dir_.filePath(relative)).path());
        QFile file(dir_.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QStringList siteArgs() const { return {"--site", dir_.path()}; }
    QString path(const QString &relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
};

// The raw href texts of the game links in a page, in page order.
QStringList gameLinks(const std::string &page)
{
    QStringList links;
    static const QRegularExpression href(R"re(href="(veloflash://[^"]*)")re");
    auto it = href.globalMatch(QString::fromStdString(page));
    while (it.hasNext())
        links << it.next().captured(1).replace("&amp;", "&").replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">");
    return links;
}

bool contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

const QByteArray kManifest = "1001|1001.swf|贪吃蛇|\n"
                             "1002|1002.swf|俄罗斯方块|tetris\r\n"
                             "\n"
                             "|nameless.swf|无编号|\n"
                             "1003||无文件|\n"
                             "1004|1004.swf|跳跳 2 (新)😀|\n";

} // namespace

class PortalSite : public ::testing::Test {
protected:
    void SetUp() override { site_.writeManifest(kManifest); }
    std::string home() const { return "http://127.0.0.1:" + std::to_string(portal_->port()); }
    void start(const QStringList &extra = {}) { portal_ = std::make_unique<PortalProcess>(site_.siteArgs() + extra); }

    SiteFolder site_;
    std::unique_ptr<PortalProcess> portal_;
};

TEST_F(PortalSite, HomePageAndItsFrameLinkEveryManifestGame)
{
    start();
    const QString games = QString::fromStdString(home()) + "/games/";
    const QStringList expected{
        "veloflash://1001$$$" + games + "1001.swf$$$%u8D2A%u5403%u86C7",
        "veloflash://1002$$$tetris$$$%u4FC4%u7F57%u65AF%u65B9%u5757",
        "veloflash://1004$$$" + games + "1004.swf$$$%u8DF3%u8DF3%202%20%28%u65B0%29%uD83D%uDE00",
    };
    const Fetched page = fetch(portal_->port(), "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(gameLinks(page.body), expected);
    EXPECT_TRUE(contains(page.body, "<iframe name=\"velomain\" src=\"/velomain.html\""));
    EXPECT_EQ(gameLinks(fetch(portal_->port(), "/velomain.html").body), expected);
}

TEST_F(PortalSite, KeyedGamesAreAlsoOfferedAsPointsGames)
{
    start();
    const std::string page = fetch(portal_->port(), "/").body;
    EXPECT_TRUE(contains(page, "id=\"jf-game-1002\" href=\"velojf://1002$$$tetris$$$%u4FC4%u7F57%u65AF%u65B9%u5757\""));
    EXPECT_FALSE(contains(page, "velojf://1001"));
}

TEST_F(PortalSite, EscapedNamesDecodeBackToTheManifestNames)
{
    start();
    QStringList names;
    for (const QString &link : gameLinks(fetch(portal_->port(), "/").body))
        names << UnescapeText(link.split("$$$").value(2));
    EXPECT_EQ(names, (QStringList{"贪吃蛇", "俄罗斯方块", "跳跳 2 (新)😀"}));
}

TEST_F(PortalSite, LinkTextIsMarkupEscaped)
{
    site_.writeManifest("7|7.swf|<b>猫&狗</b>|\n");
    start();
    const Fetched page = fetch(portal_->port(), "/");
    EXPECT_TRUE(contains(page.body, ">&lt;b&gt;猫&amp;狗&lt;/b&gt;</a>"));
    EXPECT_FALSE(contains(page.body, "<b>猫"));
}

TEST_F(PortalSite, LinksNameTheHostTheClientAskedFor)
{
    start();
    const std::string port = std::to_string(portal_->port());
    const Fetched byName = fetch(portal_->port(), "/", {{"Host", "localhost:" + port}});
    EXPECT_TRUE(gameLinks(byName.body).value(0).contains("$$$http://localhost:" + QString::fromStdString(port) + "/games/1001.swf$$$"));
    // A Host header that could break out of the attribute is not echoed.
    const Fetched odd = fetch(portal_->port(), "/", {{"Host", "a\"b"}});
    EXPECT_TRUE(gameLinks(odd.body).value(0).contains("$$$http://127.0.0.1:" + QString::fromStdString(port) + "/"));
}

TEST_F(PortalSite, ManifestIsReadAtEachRequest)
{
    site_.writeManifest("");
    start();
    const Fetched empty = fetch(portal_->port(), "/");
    EXPECT_EQ(empty.status, 200);
    EXPECT_TRUE(gameLinks(empty.body).isEmpty());

    site_.writeManifest("2001|2001.swf|新游戏|\n");
    EXPECT_EQ(gameLinks(fetch(portal_->port(), "/").body).size(), 1);
    QFile::remove(site_.path("games/games.txt"));
    EXPECT_TRUE(gameLinks(fetch(portal_->port(), "/").body).isEmpty());
}

TEST_F(PortalSite, RemotePlayerPageEmbedsTheAddressUnchanged)
{
    start();
    // Not decoded ("%41" stays), and markup-escaped inside the attribute.
    const std::string address = home() + "/games/x&y%41.swf";
    const Fetched page = fetch(portal_->port(), "/flash.htm?" + address);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(contains(page.body, "<embed src=\"" + home() + "/games/x&amp;y%41.swf\" type=\"application/x-shockwave-flash\""));
}

TEST_F(PortalSite, RemotePlayerPageRefusesWhatIsNoWebAddress)
{
    start();
    for (const char *target : {"/flash.htm?javascript:alert(1)", "/flash.htm?file:///etc/passwd", "/flash.htm"}) {
        const Fetched page = fetch(portal_->port(), target);
        EXPECT_EQ(page.status, 400) << target;
        EXPECT_FALSE(contains(page.body, "<embed")) << target;
    }
}

TEST_F(PortalSite, KeyedGamePageEmbedsTheKeysFile)
{
    start();
    const Fetched page = fetch(portal_->port(), "/app/app.asp?id=tetris");
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(contains(page.body, "<embed src=\"/games/1002.swf\" type=\"application/x-shockwave-flash\""));
    EXPECT_TRUE(contains(page.body, "<title>俄罗斯方块</title>"));

    const Fetched unknown = fetch(portal_->port(), "/app/app.asp?id=nosuch");
    EXPECT_EQ(unknown.status, 404);
    EXPECT_FALSE(contains(unknown.body, "<embed"));
    // A game without a key is not reachable by an empty key.
    EXPECT_EQ(fetch(portal_->port(), "/app/app.asp?id=").status, 404);
}

TEST_F(PortalSite, InfoPageDescribesTheGameOrSaysThereIsNone)
{
    start();
    const Fetched info = fetch(portal_->port(), "/app/flash_info.asp?id=1001");
    EXPECT_EQ(info.status, 200);
    EXPECT_TRUE(contains(info.body, "<h1>贪吃蛇</h1>"));
    EXPECT_TRUE(contains(info.body, "1001"));

    const Fetched none = fetch(portal_->port(), "/app/flash_info.asp?id=999");
    EXPECT_EQ(none.status, 404);
    EXPECT_TRUE(contains(none.body, "暂无"));
}

TEST_F(PortalSite, VersionFileIsBuiltInOrTheGivenFile)
{
    start();
    EXPECT_EQ(fetch(portal_->port(), "/lib/wen.txt").body, "0====0====1.0");

    site_.write("wen.txt", "1====1====1.1\r\n");
    start({"--version-file", site_.path("wen.txt")});
    EXPECT_EQ(fetch(portal_->port(), "/lib/wen.txt").body, "1====1====1.1\r\n");
    // Read at each request, so a test can change it while the client runs.
    site_.write("wen.txt", "0====0====2.0");
    EXPECT_EQ(fetch(portal_->port(), "/lib/wen.txt").body, "0====0====2.0");
    QFile::remove(site_.path("wen.txt"));
    EXPECT_EQ(fetch(portal_->port(), "/lib/wen.txt").status, 404);

    // A fault route can answer instead: a stalled or endless version file.
    start({"--version-redirect", "/test/stall?size=64&after=0"});
    const Fetched moved = fetch(portal_->port(), "/lib/wen.txt");
    EXPECT_EQ(moved.status, 302);
    EXPECT_EQ(moved.header("Location"),
              "http://127.0.0.1:" + std::to_string(portal_->port()) + "/test/stall?size=64&after=0");
}

TEST_F(PortalSite, GameFilesAreServedAsFlash)
{
    site_.write("games/1001.swf", "FWS\x0a");
    start();
    const Fetched file = fetch(portal_->port(), "/games/1001.swf");
    EXPECT_EQ(file.status, 200);
    EXPECT_EQ(file.header("Content-Type"), "application/x-shockwave-flash");
    EXPECT_EQ(file.body, "FWS\x0a");
    const Fetched outside = fetch(portal_->port(), "/../../../../../etc/passwd");
    EXPECT_EQ(outside.status, 404);
    EXPECT_FALSE(contains(outside.body, "root:"));
}

TEST(PortalBuiltSite, ServesEveryAddressTheClientUses)
{
    PortalProcess portal; // the site the build laid out beside the server
    for (const char *target : {"/", "/velomain.html", "/yy/", "/music/", "/js/ads/topad.html", "/js/ads/fudong.html",
                               "/js/ads/tui.html", "/tj/tj.asp?id=0", "/lib/wen.txt", "/update/setup.exe",
                               "/css/portal.css"}) {
        const Fetched got = fetch(portal.port(), target);
        EXPECT_EQ(got.status, 200) << target;
        EXPECT_FALSE(got.body.empty()) << target;
    }
}
