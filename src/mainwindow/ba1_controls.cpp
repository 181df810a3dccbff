// The control tree of the main window: every control with its parent and object name.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "chrome/frame_mouse_handler.h"
#include "chrome/hover_rules.h"
#include "chrome/skin_button.h"
#include "chrome/tip_bubble.h"
#include "chrome/window_background.h"
#include "download/bk_dl_control.h"
#include "download/game_download.h"
#include "mainwindow/tool_strip_download_view.h"
#include "records/list_choice.h"

#include "chrome/click_label.h"

namespace {
QString indexed(const char *name, int i) { return QString("%1_%2").arg(name).arg(i); }
} // namespace

QWidget *BA1::makeBox(QWidget *parent, const char *name, const QColor &background)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    if (background.isValid()) {
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, background);
        box->setPalette(p);
    }
    return box;
}

ClickLabel *BA1::makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new ClickLabel(text, parent);
    label->setObjectName(name);
    return label;
}

BrowserPane *BA1::makePane(QWidget *parent, const char *name)
{
    auto *pane = new BrowserPane(parent);
    pane->setObjectName(name);
    return pane;
}

void BA1::buildControls()
{
    for (int i = 0; i < 5; ++i) {
        zz[i] = makeBox(this, "", QColor(255, 255, 255));
        zz[i]->setObjectName(indexed("zz", i));
        zz[i]->hide();
    }
    Web1 = makePane(zz[0], "Web1");
    Web4 = makePane(zz[3], "Web4");
    Web5 = makePane(zz[4], "Web5");

    // The game view.
    picg = makeBox(zz[1], "picg", QColor(234, 244, 252));
    yxname = makeLabel(picg, "yxname", "当前没有游戏：");
    yxname->move(32, 8);
    Image1 = makeLabel(picg, "Image1", "");
    Image1->setGeometry(20, 11, 6, 6);
    picf = makeBox(zz[1], "picf");
    pic1 = makeBox(picf, "pic1", Qt::black);
    tingzhi = makeLabel(pic1, "tingzhi", "当前没有游戏");
    tingzhi->setStyleSheet("color: white");
    Web2 = makePane(pic1, "Web2");
    Picd = makeBox(picf, "Picd", QColor(234, 244, 252));
    lblCount = makeLabel(Picd, "lblCount", "");
    dl = bkDLControl::createMainWindowDl(Picd);
    lbca = makeLabel(Picd, "lbca", "");
    dlting = makeLabel(Picd, "dlting", "×");
    dlting->setToolTip("停止下载");
    dlting->hide();
    connect(dlting, &ClickLabel::clicked, this, &BA1::dlting_Click);
    lbca->hide();
    pic2 = makeBox(zz[1], "pic2");
    Webr = makePane(pic2, "Webr");

    // The list panel.
    pic4 = makeBox(zz[2], "pic4", QColor(234, 244, 252));
    lcname = makeLabel(pic4, "lcname", "");
    shan_name = makeLabel(pic4, "shan_name", "");
    shan_name->setCursor(Qt::PointingHandCursor);
    Im2 = makeLabel(pic4, "Im2", "");
    Pic6 = makeBox(zz[2], "Pic6", QColor(203, 213, 229));
    Pic3 = makeBox(Pic6, "Pic3", QColor(245, 245, 245));
    for (int i = 0; i < 3; ++i) {
        lc[i] = makeLabel(Pic3, "", QString(listInfo(i).caption).replace("/n", "\r\n"));
        lc[i]->setObjectName(indexed("lc", i));
        lc[i]->setAlignment(Qt::AlignCenter);
        connect(lc[i], &ClickLabel::clicked, this, [this, i] { lc_Click(i); });
    }
    Im1 = makeLabel(Pic3, "Im1", "");
    Im1->resize(6, 6);
    Pic7 = makeBox(zz[2], "Pic7", QColor(203, 213, 229));
    Pic5 = makeBox(Pic7, "Pic5", Qt::white);
    Web3 = makePane(Pic5, "Web3");
    connect(shan_name, &ClickLabel::clicked, this, &BA1::shan_name_Click);

    // The portal error panel, up until the portal has loaded.
    zzer = makeBox(this, "zzer", Qt::white);
    P2 = makeLabel(zzer, "P2", "");
    P2->resize(204, 153);
    webe = makeLabel(zzer, "webe", "数据加载中，请稍后．．．");
    webe->adjustSize();
    connect(P2, &ClickLabel::clicked, this, &BA1::P2_Click);
    connect(webe, &ClickLabel::clicked, this, &BA1::webe_Click);

    ad_pic = makeBox(this, "ad_pic");
    ad_pic->hide();
    adweb = makePane(ad_pic, "adweb");

    title_name = makeLabel(this, "title_name", "Tamsa游戏盒");
    title_name->setStyleSheet("color: white");
    renj = makeLabel(this, "renj", "老板键 Ctrl+S");

    // Title bar buttons and tabs; the tooltip texts carry the toggling buttons' state.
    const char *const npcTips[10] = {"最小化", "最大化", "关闭", "换肤", "置顶", "菜单", "", "", "", ""};
    P1 = new TipBubble(this);
    for (int i = 0; i < 10; ++i) {
        npc[i] = new SkinButton(skin_, SkinButtonId{SkinButtonId::Npc, i}, this);
        npc[i]->setToolTip(npcTips[i]);
        connect(npc[i], &SkinButton::clicked, this, [this, i] { npc_Click(i); });
        if (showsTipBubble(npc[i]->id()))
            P1->follow(npc[i]);
        if (tabNumber(i) >= 0) {
            npc[i]->setHoverRepaintAllowed([this, i] {
                return hoverRepaintsTab(i, {zz[0]->isVisible(), zz[1]->isVisible(), zz[2]->isVisible(),
                                            zz[3]->isVisible(), zz[4]->isVisible()},
                                        PortalError == 1);
            });
        }
    }
    const char *const toolTips[9] = {"停止", "", "静音", "", "", "", "", "显示", "显示"};
    for (int i = 0; i < 9; ++i) {
        c_z[i] = new SkinButton(skin_, SkinButtonId{SkinButtonId::Tool, i}, i == 8 ? picg : Picd);
        c_z[i]->setToolTip(toolTips[i]);
        connect(c_z[i], &SkinButton::clicked, this, [this, i] { c_z_click(i); });
    }
    c_z[8]->hide();
    npc[CurrentTab]->setEnabled(false); // the catalogue tab is the active one at start

    P2->setPixmap(skinPicture(SkinPictures::kRetry));
    P2->setCursor(Qt::PointingHandCursor);
    Image1->setPixmap(skinPicture(SkinPictures::kBullet));
    Im2->setPixmap(skinPicture(SkinPictures::kBullet));
    Im1->setPixmap(skinPicture(SkinPictures::kBullet));
    downloadView_ = std::make_unique<ToolStripDownloadView>(*this);
    download_ = new GameDownload(dl->transfer(), *downloadView_, records_, [this] { return downurl; }, this);
    // Over these the pointer goes back to the arrow after the edge band's sizing shapes.
    for (QWidget *surface : {static_cast<QWidget *>(lc[0]), static_cast<QWidget *>(lc[1]),
                             static_cast<QWidget *>(lc[2]), Pic3, pic4, picg, Picd})
        surface->setCursor(Qt::ArrowCursor);
    background_ = new WindowBackground(this);
    new FrameMouseHandler(this);
}
