// The list panel: switching lists, opening and deleting entries, clearing a list.
#include "mainwindow/list_panel.h"

#include "base/program_folder.h"
#include "browser/browser_pane.h"
#include "chrome/click_label.h"
#include "chrome/control_rects.h"
#include "chrome/skin.h"
#include "chrome/window_layout.h"
#include "dialogs/message_box.h"
#include "mainwindow/window_parts.h"
#include "records/game_link.h"
#include "records/records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ListPanel::ListPanel(Records &records, std::function<int()> windowWidth, QWidget *parent)
    : QWidget(parent), records_(records), windowWidth_(std::move(windowWidth))
{
    setObjectName("zz_2");
    fillBackground(this, QColor(255, 255, 255));
    hide();
    buildControls();
    connect(Web3, &BrowserPane::beforeNavigate, this, &ListPanel::Web3_BeforeNavigate);
    Web3->setMenuPolicy(BrowserPane::MenuPolicy::Client);
    connect(Web3, &BrowserPane::contextMenuRequested, this, &ListPanel::Web3_ContextMenu);
}

void ListPanel::buildControls()
{
    pic4 = makeBox(this, "pic4", QColor(234, 244, 252));
    lcname = makeLabel(pic4, "lcname", "");
    shan_name = makeLabel(pic4, "shan_name", "");
    shan_name->setCursor(Qt::PointingHandCursor);
    Im2 = makeLabel(pic4, "Im2", "");
    Pic6 = makeBox(this, "Pic6", QColor(203, 213, 229));
    Pic3 = makeBox(Pic6, "Pic3", QColor(245, 245, 245));
    for (int i = 0; i < kListCount; ++i) {
        lc[i] = makeLabel(Pic3, "", QString(listInfo(ListKind(i)).caption).replace("/n", "\r\n"));
        lc[i]->setObjectName(QString("lc_%1").arg(i));
        lc[i]->setAlignment(Qt::AlignCenter);
        connect(lc[i], &ClickLabel::clicked, this, [this, i] { lc_Click(i); });
    }
    Im1 = makeLabel(Pic3, "Im1", "");
    Im1->resize(6, 6);
    Pic7 = makeBox(this, "Pic7", QColor(203, 213, 229));
    Pic5 = makeBox(Pic7, "Pic5", Qt::white);
    Web3 = makePane(Pic5, "Web3");
    connect(shan_name, &ClickLabel::clicked, this, &ListPanel::shan_name_Click);
    Im2->setPixmap(skinPicture(SkinPictures::kBullet));
    Im1->setPixmap(skinPicture(SkinPictures::kBullet));
    // Over these the pointer goes back to the arrow after the edge band's sizing shapes.
    for (QWidget *surface : {static_cast<QWidget *>(lc[0]), static_cast<QWidget *>(lc[1]),
                             static_cast<QWidget *>(lc[2]), Pic3, pic4})
        surface->setCursor(Qt::ArrowCursor);
}

void ListPanel::lc_Click(int index)
{
    if (index < 0 || index >= kListCount)
        return;
    current_ = ListKind(index);
    const ListInfo &list = listInfo(current_);
    Web3->navigate(programPath(QString("app/") + list.page));
    lcname->setText(list.title);
    lcname->adjustSize();
    shan_name->setText(list.clearText);
    shan_name->adjustSize();
    Im1->move(22, lc[index]->y() + 10);
    for (int i = 0; i < kListCount; ++i) {
        fillBackground(lc[i], i == index ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xF5, 0xF5, 0xF5));
    }
    layoutListPanel();
}

void ListPanel::refresh() { Web3->refresh(); }

void ListPanel::Web3_BeforeNavigate(const QString &url, bool *cancel)
{
    if (url.startsWith("delk://")) {
        *cancel = true;
        deleteEntry(url);
    } else if (url.startsWith("open://")) {
        *cancel = true;
        openEntry(url);
    }
}

void ListPanel::deleteEntry(const QString &link)
{
    const QString file = listInfo(current_).recordFile;
    const std::optional<int> line = entryLineNumber(link, "delk://");
    if (!line)
        return;
    if (current_ == ListKind::Downloads) {
        const QStringList record = records_.recordAt(file, *line);
        if (const auto game = downloadedGamePath(programFolder(), record.value(1)))
            QFile::remove(*game);
    }
    records_.RemoveRecord(file, *line);
}

void ListPanel::openEntry(const QString &link)
{
    const QString file = listInfo(current_).recordFile;
    const std::optional<int> line = entryLineNumber(link, "open://");
    if (!line)
        return;
    const QStringList record = records_.recordAt(file, *line);
    if (record.isEmpty())
        return; // no record on that line, or no record file: nothing to open
    const QString name = record.value(0);
    const QString id = record.value(1);
    const QString address = record.value(2);
    const QString kind = record.value(3);
    if (current_ == ListKind::Downloads) {
        const auto game = downloadedGamePath(programFolder(), address);
        if (!game || !QFileInfo::exists(*game)) {
            MessageBox::inform(window(), "当前下载的游戏文件不存在，可能已经被你删除。");
            records_.RemoveRecord(file, *line);
            return;
        }
    }
    const QString scheme = kind == "0" ? kPointsScheme : kGameScheme;
    emit gameLinkRequested(scheme + id + "$$$" + address + "$$$" + name, name);
}

void ListPanel::Web3_ContextMenu(const QString &href, const QPoint &globalPos)
{
    if (!href.contains("open://"))
        return;
    ContextLink_ = href;
    emit entryMenuRequested(globalPos);
}

void ListPanel::CCC_Click()
{
    if (ContextLink_.contains("//"))
        Web3->navigate("open://" + QString(ContextLink_).remove("open://"));
}

void ListPanel::ddd_Click()
{
    if (ContextLink_.contains("//"))
        Web3->navigate("delk://" + QString(ContextLink_).remove("open://"));
}

void ListPanel::shan_name_Click()
{
    const ListInfo &list = listInfo(current_);
    const auto answer = MessageBox::ask(window(), "Tamsa游戏盒提示：", list.clearQuestion,
                                        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!records_.Clear(list.recordFile))
        return; // the page rebuild has already reloaded the list pane
    if (current_ == ListKind::Downloads) {
        QDir flash(programPath("flash"));
        for (const QString &name : flash.entryList({"*.swf"}, QDir::Files))
            flash.remove(name);
    }
}

void ListPanel::layoutListPanel()
{
    KeptSizes sizes;
    keepSizes(sizes);
    applyControlRects(this, ::layoutListPanel(size(), windowWidth_(), sizes));
}

void ListPanel::keepSizes(KeptSizes &sizes) const
{
    sizes.lcname = lcname->size();
    sizes.shan_name = shan_name->size();
    sizes.Im2 = Im2->size();
}
