#include "main_window_fixture.h"

#include "browser/browser_pane.h"
#include "dialogs/message_box.h"
#include "chrome/click_label.h"
#include "pane_driver.h"
#include "shell/tray_icon.h"
#include "temp_home.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTest>

namespace {

QByteArray firstLine(const QByteArray &text) { return text.left(text.indexOf("\r\n")); }

void closePopups()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

class ListPanelTest : public MainWindowTest {
protected:
    // Shows list `index` and waits for the load it starts (the pane may already show that page).
    void showList(int index)
    {
        window->npc_Click(8);
        int loads = 0;
        const auto counter = QObject::connect(pane("Web3"), &BrowserPane::downloadComplete, [&] { ++loads; });
        QTest::mouseClick(listLabel(index), Qt::LeftButton);
        const QString page = home().file(QString("app/") + "ncd"[index] + ".htm");
        const bool loaded = waitUntil([&] {
            return loads > 0 && pane("Web3")->address() == page &&
                   runJs(*pane("Web3"), "document.readyState === 'complete' && !!document.getElementById('tab')")
                       .toBool();
        });
        QObject::disconnect(counter);
        ASSERT_TRUE(loaded);
    }
    void writeSwf(const QString &id) { home().write("flash/" + id + ".swf", "FWS fake"); }
};

TEST_F(ListPanelTest, SwitchingListsShowsThePageTitleAndLabelColours)
{
    openWindow();
    EXPECT_EQ(label("lcname")->text(), "当前列表 >> 最近玩过的游戏："); // list 0 after start
    showList(1);
    EXPECT_EQ(label("lcname")->text(), "当前列表 >> 我收藏的游戏：");
    EXPECT_EQ(label("shan_name")->text(), "清空全部收藏的游戏");
    EXPECT_EQ(listLabel(1)->palette().color(listLabel(1)->backgroundRole()), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(listLabel(0)->palette().color(listLabel(0)->backgroundRole()), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(listLabel(2)->palette().color(listLabel(2)->backgroundRole()), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(label("Im1")->y(), listLabel(1)->y() + 10);
}

TEST_F(ListPanelTest, OpeningAnEntryRebuildsItsLinkAndTheGameOpens)
{
    writeRecords("date_c.dat", "A|1|a|1\r\nB|2|b|1\r\n%u79EF|33|jfkey|0\r\n");
    openWindow();
    showList(1);
    clickElement(*pane("Web3"), "a[href=\"open://3\"]");
    ASSERT_TRUE(waitUntil([&] { return window->downurl() != "0"; }));
    EXPECT_EQ(window->downurl(), "velojf://33$$$jfkey$$$%u79EF");
    EXPECT_EQ(window->CurrentTab(), 7);
    EXPECT_EQ(firstLine(home().read("app/date_n.dat")), "%u79EF|33|jfkey|0");

    window->npc_Click(8);
    pane("Web3")->navigate("open://1/"); // the engine may hand the link over with a "/"
    EXPECT_TRUE(waitUntil([&] { return window->downurl() == "veloflash://1$$$a$$$A"; }));
}

TEST_F(ListPanelTest, EntriesWithoutARecordOrAFileBehindThem)
{
    writeRecords("date_d.dat", "G|5|5|1\r\nH|6|6|1\r\n");
    writeSwf("6");
    openWindow();
    showList(2);
    MessageBox::clearShown();
    pane("Web3")->navigate("open://9");
    pane("Web3")->navigate("open://x");
    EXPECT_EQ(window->downurl(), "0");
    EXPECT_TRUE(MessageBox::shown().empty());

    MessageBox::queueAnswer(QMessageBox::Ok);
    pane("Web3")->navigate("open://1");
    ASSERT_EQ(MessageBox::shown().size(), 1u);
    EXPECT_EQ(MessageBox::shown().back().text, "当前下载的游戏文件不存在，可能已经被你删除。");
    EXPECT_EQ(MessageBox::shown().back().title, "Tamsa游戏盒");
    EXPECT_EQ(home().read("app/date_d.dat"), "H|6|6|1\r\n");
    EXPECT_EQ(window->downurl(), "0");
}

TEST_F(ListPanelTest, DeletingADownloadRemovesItsFileThenItsLine)
{
    writeRecords("date_d.dat", "G|5|5|1\r\nH|6|6|1\r\nI|7|7|1\r\n");
    writeSwf("6");
    writeSwf("7");
    openWindow();
    showList(2);
    pane("Web3")->navigate("delk://2");
    EXPECT_FALSE(home().exists("flash/6.swf"));
    EXPECT_TRUE(home().exists("flash/7.swf"));
    EXPECT_EQ(home().read("app/date_d.dat"), "G|5|5|1\r\nI|7|7|1\r\n");
    EXPECT_TRUE(QString(QStringDecoder("GB18030").decode(home().read("app/d.htm"))).contains("open://2>·I<"));
}

TEST_F(ListPanelTest, RightClickOnAnEntryOffersTheEntryMenuAndNowhereElse)
{
    writeRecords("date_n.dat", "A|1|a|1\r\nB|2|b|1\r\n");
    openWindow();
    showList(0);
    QSignalSpy menus(window.get(), &BA1::entryMenuRequested);

    clickElement(*pane("Web3"), "a[href=\"open://2\"]", {}, Qt::RightButton);
    ASSERT_TRUE(waitUntil([&] { return menus.count() == 1; }, 5000));
    EXPECT_EQ(window->ContextLink(), "open://2");
    closePopups();

    // The delete link shows only while the pointer is over its entry; show it the page's way.
    runJs(*pane("Web3"), "Ptr[0].className = 't1'");
    clickElement(*pane("Web3"), "a[href=\"delk://1\"]", {}, Qt::RightButton);
    clickPane(*pane("Web3"), QPoint(200, 300), Qt::RightButton); // empty space
    settleFor(1000);
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(window->ContextLink(), "open://2");

    // The entry menu's two actions act on the remembered entry.
    window->ddd_Click();
    EXPECT_EQ(home().read("app/date_n.dat"), "A|1|a|1\r\n");
}

TEST_F(ListPanelTest, ClearingAListAsksFirst)
{
    const QByteArray played = "A|1|a|1\r\n";
    writeRecords("date_n.dat", played);
    writeRecords("date_d.dat", "G|5|5|1\r\n");
    writeSwf("5");
    writeSwf("99"); // not listed, goes all the same
    openWindow();

    showList(0);
    MessageBox::queueAnswer(QMessageBox::No);
    QTest::mouseClick(label("shan_name"), Qt::LeftButton);
    EXPECT_EQ(MessageBox::shown().back().text, "确定要删除全部[最近玩过的游戏]列表吗？");
    EXPECT_EQ(MessageBox::shown().back().title, "Tamsa游戏盒提示：");
    EXPECT_EQ(home().read("app/date_n.dat"), played);
    MessageBox::queueAnswer(QMessageBox::Yes);
    QTest::mouseClick(label("shan_name"), Qt::LeftButton);
    EXPECT_EQ(home().read("app/date_n.dat"), "\r\n");

    showList(2);
    MessageBox::queueAnswer(QMessageBox::Yes);
    QTest::mouseClick(label("shan_name"), Qt::LeftButton);
    EXPECT_EQ(MessageBox::shown().back().text, "确定要删除全部[下载]记录吗？此操作将同时删除所有下载的游戏文件！");
    EXPECT_EQ(home().read("app/date_d.dat"), "\r\n");
    EXPECT_TRUE(QString(QStringDecoder("GB18030").decode(home().read("app/d.htm"))).contains("暂无记录"));
    EXPECT_TRUE(QDir(home().file("flash")).entryList({"*.swf"}, QDir::Files).isEmpty());
}

TEST_F(ListPanelTest, AddingToFavourites)
{
    openWindow();
    MessageBox::queueAnswer(QMessageBox::Ok);
    window->shoucang();
    EXPECT_EQ(MessageBox::shown().back().text, "当前没有游戏");

    writeRecords("date_c.dat", "X|9|x|1\r\nB|2|b|1\r\n");
    pane("Web1")->navigate("veloflash://0002$$$b$$$%u6D4B/");
    window->c_z_click(3);
    EXPECT_EQ(home().read("app/date_c.dat"), "%u6D4B|2|b|1\r\nX|9|x|1\r\n");
    EXPECT_EQ(tray_record().balloonText, "已添加到收藏!%u6D4B");
}
