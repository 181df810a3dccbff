// A malicious portal: hostile links, names, pages and files, through the real window and engine.
// Each responsiveness case prints a "[figure]" line: the longest stretch the event loop went
// without a 10 ms timer tick, and the memory of the client and of the engine's processes.
#include "main_window_fixture.h"

#include "browser/browser_pane.h"
#include "chrome/skin_button.h"
#include "dialogs/message_box.h"
#include "chrome/click_label.h"
#include "pane_driver.h"
#include "portal_process.h"
#include "base/ini_file.h"
#include "temp_home.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTest>
#include <QRegularExpression>
#include <QTimer>
#include <QUrlQuery>

#include <cstdio>
#include <unistd.h>

namespace {

const QString kOrdinaryGame = "veloflash://1003$$$click$$$%u6B63%u5E38";

qint64 rssKiB(qint64 pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The longest stretch without a tick of a 10 ms timer, and the largest client RSS seen.
class PauseProbe {
public:
    PauseProbe()
    {
        QObject::connect(&ticks_, &QTimer::timeout, [this] { tick(); });
        clock_.start();
        ticks_.start(10);
        startRss_ = peakRss_ = rssKiB(getpid());
    }
    qint64 longestMs() const { return longest_; }
    qint64 startRssKiB() const { return startRss_; }
    qint64 peakRssKiB() const { return peakRss_; }

private:
    void tick();

    QTimer ticks_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    qint64 startRss_ = 0;
    qint64 peakRss_ = 0;
    int count_ = 0;
};

void PauseProbe::tick()
{
    const qint64 now = clock_.elapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
    if (++count_ % 10 == 0)
        peakRss_ = std::max(peakRss_, rssKiB(getpid()));
}

// RSS of every process below this one: the engine's zygote, renderers and GPU process.
qint64 engineRssKiB()
{
    QMultiHash<qint64, qint64> children;
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        if (entry.toLongLong() <= 0 || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (name) state ppid ...": the name may hold blanks, so count from its ")".
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        children.insert(fields.value(1).toLongLong(), entry.toLongLong());
    }
    qint64 total = 0;
    QList<qint64> pending = children.values(getpid());
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        total += rssKiB(pid);
        pending += children.values(pid);
    }
    return total;
}

void reportFigures(const char *hostileCase, const PauseProbe &probe)
{
    std::printf("[figure] %s: longest pause %lld ms, client RSS %lld MiB before, %lld MiB at most, "
                "engine processes %lld MiB after\n",
                hostileCase, probe.longestMs(), probe.startRssKiB() / 1024, probe.peakRssKiB() / 1024,
                engineRssKiB() / 1024);
    std::fflush(stdout);
}

int topLevelPanes()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<BrowserPane *>(widget) != nullptr && widget->isVisible();
    return count;
}

} // namespace

class HostilePortal : public MainWindowTest {
protected:
    // Shows a page of /test/hostile/ in the portal pane once `selector` is in it.
    void showHostilePage(const QString &page, const QString &selector)
    {
        if (window->CurrentTab() != 6)
            QTest::mouseClick(titleButton(6), Qt::LeftButton);
        const QString address = portal().url("test/hostile/" + page);
        pane("Web1")->navigate(address);
        ASSERT_TRUE(waitUntil(
            [&] {
                return pane("Web1")->address() == address &&
                       runJs(*pane("Web1"), "!!document.querySelector('" + selector + "')", 60000).toBool();
            },
            60000))
            << page.toStdString();
    }
    // The page of one big link #link whose href is exactly `href`.
    void showLink(const QString &href)
    {
        QUrlQuery query;
        query.addQueryItem("href", QString::fromLatin1(QUrl::toPercentEncoding(href)));
        showHostilePage("link?" + query.toString(QUrl::FullyEncoded), "#link");
    }
    void expectOpened(const QString &link)
    {
        EXPECT_TRUE(waitUntil([&] { return window->downurl() == link; }, 30000)) << link.toStdString();
    }
    // The window still opens a game from a portal page: the pane, the channel and the loop answer.
    void expectOrdinaryGameOpens()
    {
        clickElement(*pane("Web1"), "#ordinary");
        expectOpened(kOrdinaryGame);
        EXPECT_EQ(window->CurrentTab(), 7);
    }
    // The window acts on a click of its own: the list tab comes up.
    void expectWindowAnswers()
    {
        QTest::mouseClick(titleButton(8), Qt::LeftButton);
        EXPECT_EQ(window->CurrentTab(), 8);
    }
    QByteArray recordFile(const char *file = "app/date_n.dat") const { return home().read(file); }
};

TEST_F(HostilePortal, PathLikeAndHugeIdsNameNoFileAndAreNeverRecorded)
{
    // Where a careless join would lead "1/../../2" and the 50-digit id.
    const QString fiftyDigits = QString("9").repeated(50);
    QDir().mkpath(home().file("flash/1"));
    home().write("2.swf", "outside the flash folder");
    home().write("flash/" + fiftyDigits + ".swf", "too large for an id");
    const QStringList before = QDir(home().path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    openWindow();
    const QString file = portal().url("test/hostile/1000.swf");

    for (const QString &id :
         {QString("../../x"), QString("/etc/passwd"), QString("1/../../2"), QString(), fiftyDigits, QString("7&x=1")}) {
        SCOPED_TRACE(id.toStdString());
        const QString link = "veloflash://" + id + "$$$" + file + "$$$n";
        showLink(link);
        portal().clearLog();
        clickElement(*pane("Web1"), "#link");
        expectOpened(link);
        // Played from the portal, never from a local file.
        EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/flash.htm?" + file); }));
        EXPECT_FALSE(pane("Web2")->address().startsWith(home().path()));
        EXPECT_EQ(recordFile(), "\r\n");
        // The info page is asked for this id, not for other parameters.
        EXPECT_TRUE(waitUntil([&] { return portalWasAsked("/app/flash_info.asp?id=" + QUrl::toPercentEncoding(id)); }));

        MessageBox::queueAnswer(QMessageBox::Ok);
        QTest::mouseClick(tool(5), Qt::LeftButton);
        ASSERT_FALSE(MessageBox::shown().empty());
        EXPECT_EQ(MessageBox::shown().back().text, "当前游戏文件无法下载或已下载!");
        QTest::mouseClick(tool(3), Qt::LeftButton);
        EXPECT_EQ(recordFile("app/date_c.dat"), "\r\n");
    }
    EXPECT_EQ(recordFile("app/date_d.dat"), "\r\n");
    EXPECT_EQ(QDir(home().file("flash")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"1", fiftyDigits + ".swf"}));
    const QStringList after = QDir(home().path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &entry : after)
        EXPECT_TRUE(before.contains(entry) || entry == "profile") << entry.toStdString();
    QFile::remove(home().file("2.swf"));
}

TEST_F(HostilePortal, MarkupInNamesIsShownAsText)
{
    openWindow();
    const QString name = "<b>粗</b><img src=x onerror=\"document.title='img'\"><script>document.title='s'</script>";
    const QString link = "veloflash://31$$$click$$$" + name;
    showLink(link);
    clickElement(*pane("Web1"), "#link");
    expectOpened(link);
    EXPECT_EQ(label("yxname")->textFormat(), Qt::PlainText);
    EXPECT_EQ(label("yxname")->text(), "当前：在线小游戏 >> " + name + "：");

    // The list page, as the engine shows it: the name is the entry's text, no element of it.
    BrowserPane &list = *pane("Web3");
    EXPECT_TRUE(waitUntil([&] {
        return runJs(list, "(document.querySelector('a[href=\"open://1\"]') || {}).textContent") == "·" + name;
    }));
    EXPECT_EQ(runJs(list, "document.querySelectorAll('#tab b, #tab img, #tab script').length").toInt(), 0);
    EXPECT_EQ(runJs(list, "document.title").toString(), "");
}

TEST_F(HostilePortal, BarsAndLineBreaksStayInsideTheirField)
{
    openWindow();
    const QString name = "a|b\r\nX|9|y|1";
    const QString link = "veloflash://8$$$click|x\nZ$$$" + name;
    const QByteArray stored = "a%7Cb%0D%0AX%7C9%7Cy%7C1|8|click%7Cx%0AZ|1\r\n\r\n";
    showLink(link);
    clickElement(*pane("Web1"), "#link");
    expectOpened(link);
    EXPECT_EQ(recordFile(), stored);
    EXPECT_EQ(label("yxname")->text(), "当前：在线小游戏 >> " + name + "：");

    // Opened again from the list: the same name, and still one record.
    QTest::mouseClick(titleButton(8), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return runJs(*pane("Web3"), "!!document.querySelector('a[href=\"open://1\"]')").toBool(); }));
    clickElement(*pane("Web3"), "a[href=\"open://1\"]");
    ASSERT_TRUE(waitUntil([&] { return window->downurl().contains("$$$a%7Cb"); }));
    EXPECT_EQ(label("yxname")->text(), "当前：在线小游戏 >> " + name + "：");
    EXPECT_EQ(recordFile(), stored);

    // A script's window.open of such a link is stored the same way.
    showHostilePage("popups?count=1&to=" + QUrl::toPercentEncoding("veloflash://9$$$k$$$p|q\r\nr"), "#again");
    ASSERT_TRUE(waitUntil([&] { return window->downurl().startsWith("veloflash://9$$$"); }));
    EXPECT_TRUE(recordFile().startsWith("p%7Cq%0D%0Ar|9|k|1\r\na%7Cb%0D%0AX%7C9%7Cy%7C1|8|"));
}

TEST_F(HostilePortal, AMegabyteLinkOpensNothing)
{
    openWindow();
    PauseProbe probe;
    showHostilePage("long-link?bytes=1048576", "#long");
    clickElement(*pane("Web1"), "#long");
    settleFor(2000);
    EXPECT_EQ(window->downurl(), "0");
    EXPECT_EQ(recordFile(), "\r\n");
    expectOrdinaryGameOpens();
    reportFigures("1 MB link", probe);
}

TEST_F(HostilePortal, WindowOpenLoops)
{
    openWindow();
    PauseProbe probe;
    // Pop-ups only at the player's click, one per click, however many the script asks for.
    showHostilePage("popups?count=1000&to=/test/hostile/frame", "#again");
    ASSERT_TRUE(waitUntil([&] { return runJs(*pane("Web1"), "document.title").toString().startsWith("opened"); }));
    settleFor(1000);
    EXPECT_EQ(topLevelPanes(), 0);
    clickElement(*pane("Web1"), "#again");
    settleFor(1000);
    EXPECT_EQ(topLevelPanes(), 1);
    reportFigures("window.open loop, 1000 web pop-ups", probe);
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<BrowserPane *>(widget))
            widget->close();
    }

    // A thousand game links from script: each opens the game, the last one stays. (The panes
    // then work through two thousand navigations; the window does not wait for them.)
    PauseProbe gameProbe;
    const QString last = "veloflash://77$$$click$$$n";
    pane("Web1")->navigate(portal().url("test/hostile/popups?count=1000&to=" + QUrl::toPercentEncoding(last)));
    expectOpened(last);
    EXPECT_EQ(recordFile(), "n|77|click|1\r\n\r\n");
    expectWindowAnswers();
    reportFigures("window.open loop, 1000 game links", gameProbe);
}

TEST_F(HostilePortal, DialogLoopsShowNothing)
{
    openWindow();
    PauseProbe probe;
    showHostilePage("dialogs?ms=4000", "#ordinary");
    ASSERT_TRUE(waitUntil([&] { return runJs(*pane("Web1"), "document.title").toString().startsWith("dialogs"); },
                          30000));
    EXPECT_GT(runJs(*pane("Web1"), "document.title").toString().section(' ', 1).toInt(), 3);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Its leave question is answered "leave" without a dialog.
    expectOrdinaryGameOpens();
    QTest::mouseClick(titleButton(6), Qt::LeftButton);
    pane("Web1")->navigate(portalBase);
    EXPECT_TRUE(waitUntil([&] { return pane("Web1")->address() == portalBase; }));
    reportFigures("alert/confirm/prompt loop for 4 s", probe);
}

TEST_F(HostilePortal, APageThatNeverFinishesLoading)
{
    openWindow();
    PauseProbe probe;
    showHostilePage("endless", "#ordinary");
    EXPECT_NE(runJs(*pane("Web1"), "document.readyState").toString(), "complete");
    expectOrdinaryGameOpens();
    reportFigures("page that never finishes loading", probe);
}

TEST_F(HostilePortal, APortalThatAcceptsAndNeverAnswers)
{
    QTcpServer silent; // accepts connections and never reads or writes
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    IniFile(home().file("config.ini"))
        .write("main", "Portal", QString("http://127.0.0.1:%1/").arg(silent.serverPort()));
    openWindow(false);
    PauseProbe probe;
    settleFor(3000);
    EXPECT_TRUE(control("zzer")->isVisible()); // still "loading"
    EXPECT_EQ(window->PortalError(), 0);
    expectWindowAnswers();
    reportFigures("portal that accepts and never answers, first 3 s", probe);
}

TEST_F(HostilePortal, RedirectLoops)
{
    openWindow();
    PauseProbe probe;
    // A portal address that redirects forever is a failed portal load.
    pane("Web1")->navigate(portal().url("test/hostile/loop"));
    ASSERT_TRUE(waitUntil([&] { return window->PortalError() == 1; }, 60000));
    EXPECT_TRUE(control("zzer")->isVisible());
    QTest::mouseClick(label("webe"), Qt::LeftButton, {}, QPoint(5, 5));
    waitForPortalPage();

    // As a game file, it is refused by the download.
    const QString link = "veloflash://5$$$" + portal().url("test/hostile/loop") + "?.swf$$$n";
    pane("Web1")->navigate(link);
    expectOpened(link);
    QTest::mouseClick(tool(5), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return label("lblCount")->text() == "游戏下载失败!"; }, 30000))
        << label("lblCount")->text().toStdString();
    EXPECT_FALSE(QFileInfo::exists(home().file("flash/5.swf")));
    reportFigures("redirect loop", probe);
}

TEST_F(HostilePortal, ATwoHundredMegabyteGame)
{
    openWindow();
    const qint64 size = 200LL * 1024 * 1024;
    const QString link = "veloflash://4242$$$" + portal().url(QString("test/hostile/%1.swf").arg(size)) + "$$$big";
    PauseProbe probe;
    pane("Web1")->navigate(link);
    expectOpened(link);
    QTest::mouseClick(tool(5), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return label("lblCount")->text() == "游戏下载完毕!"; }, 180000))
        << label("lblCount")->text().toStdString();
    EXPECT_EQ(QFileInfo(home().file("flash/4242.swf")).size(), size);
    expectWindowAnswers();
    reportFigures("200 MB game, played from the portal and downloaded", probe);
    QFile::remove(home().file("flash/4242.swf"));
}

TEST_F(HostilePortal, AThousandFrames)
{
    openWindow();
    PauseProbe probe;
    showHostilePage("frames?count=1000", "#ordinary");
    const auto framesAsked = [] {
        return portal().requestLog().filter(QRegularExpression("^/test/hostile/frame$")).size();
    };
    EXPECT_TRUE(waitUntil([&] { return framesAsked() == 1000; }, 120000)) << framesAsked();
    // The page's own process stays busy with its frames for a long while; the window does not.
    expectWindowAnswers();
    QTest::mouseClick(titleButton(6), Qt::LeftButton);
    const QVariantList centre = runJs(*pane("Web1"),
                                      "(() => { const r = document.querySelector('#ordinary').getBoundingClientRect();"
                                      " return [r.x + r.width / 2, r.y + r.height / 2]; })()",
                                      300000)
                                    .toList();
    ASSERT_EQ(centre.size(), 2);
    clickPane(*pane("Web1"), QPoint(centre[0].toInt(), centre[1].toInt()));
    EXPECT_TRUE(waitUntil([&] { return window->downurl() == kOrdinaryGame; }, 300000));
    reportFigures("1000 frames", probe);
}
