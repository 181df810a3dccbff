// The list panel: switching lists, opening and deleting entries, clearing a list and adding
// the current game to the favourites.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "chrome/skin_button.h"
#include "dialogs/message_box.h"
#include "records/game_link.h"
#include "records/list_choice.h"
#include "base/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "chrome/click_label.h"

void BA1::lc_Click(int index)
{
    const ListInfo &list = listInfo(index);
    Web3->navigate(programPath(QString("app/") + list.page));
    lcname->setText(list.title);
    lcname->adjustSize();
    shan_name->setText(list.clearText);
    shan_name->adjustSize();
    Im1->move(22, lc[index]->y() + 10);
    for (int i = 0; i < 3; ++i) {
        QPalette p = lc[i]->palette();
        p.setColor(QPalette::Window, i == index ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xF5, 0xF5, 0xF5));
        lc[i]->setPalette(p);
        lc[i]->setAutoFillBackground(true);
    }
    layoutListPanel();
}

void BA1::Web3_BeforeNavigate(const QString &url, bool *cancel)
{
    if (url.startsWith("delk://")) {
        *cancel = true;
        deleteEntry(url);
    } else if (url.startsWith("open://")) {
        *cancel = true;
        openEntry(url);
    }
}

void BA1::deleteEntry(const QString &link)
{
    const QString file = listFileForEntries(lcname->text());
    const std::optional<int> line = entryLineNumber(link, "delk://");
    if (!line)
        return;
    if (file == "date_d.dat") {
        const QStringList record = records_.recordAt(file, *line);
        if (const auto game = downloadedGamePath(programFolder(), record.value(1)))
            QFile::remove(*game);
    }
    records_.RemoveRecord(file, *line);
}

void BA1::openEntry(const QString &link)
{
    const QString file = listFileForEntries(lcname->text());
    const std::optional<int> line = entryLineNumber(link, "open://");
    if (!line)
        return;
    const QStringList record = records_.recordAt(file, *line);
    if (record.isEmpty())
        return; // no record on that line, or no record file: nothing to open
    GameName = record.value(0);
    const QString id = record.value(1);
    const QString address = record.value(2);
    const QString kind = record.value(3);
    if (file == "date_d.dat") {
        const auto game = downloadedGamePath(programFolder(), address);
        if (!game || !QFileInfo::exists(*game)) {
            MessageBox::inform(this, "当前下载的游戏文件不存在，可能已经被你删除。");
            records_.RemoveRecord(file, *line);
            return;
        }
    }
    const QString scheme = kind == "0" ? kPointsScheme : kGameScheme;
    Web1->navigate(scheme + id + "$$$" + address + "$$$" + GameName);
}

void BA1::Web3_ContextMenu(const QString &href, const QPoint &globalPos)
{
    if (!href.contains("open://"))
        return;
    ContextLink = href;
    emit entryMenuRequested(globalPos);
}

void BA1::CCC_Click()
{
    if (ContextLink.contains("//"))
        Web3->navigate("open://" + QString(ContextLink).remove("open://"));
}

void BA1::ddd_Click()
{
    if (ContextLink.contains("//"))
        Web3->navigate("delk://" + QString(ContextLink).remove("open://"));
}

void BA1::shan_name_Click()
{
    const ListInfo &list = listForClearing(lcname->text());
    const auto answer = MessageBox::ask(this, "Tamsa游戏盒提示：", list.clearQuestion,
                                        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!records_.Clear(list.recordFile))
        return; // the page rebuild has already reloaded the list pane
    if (QString(list.recordFile) == "date_d.dat") {
        QDir flash(programPath("flash"));
        for (const QString &name : flash.entryList({"*.swf"}, QDir::Files))
            flash.remove(name);
    }
}

void BA1::shoucang()
{
    finishGameOpening();
    if (downurl.isEmpty() || downurl == "0") {
        MessageBox::inform(this, "当前没有游戏");
        return;
    }
    const QString scheme = gameLinkScheme(downurl);
    if (scheme.isEmpty())
        return;
    const int kind = scheme == kPointsScheme ? 0 : 1;
    const GameLinkFields fields = splitGameLink(downurl, scheme);
    if (fields.name)
        GameName = *fields.name;
    const auto id = recordId(fields.id.value_or(QString()));
    if (id && fields.address && fields.name)
        records_.AddRecord(GameName, *id, *fields.address, kind, "date_c.dat");
    tray_balloon("已添加到收藏!" + GameName);
}
