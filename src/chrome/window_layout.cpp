#include "chrome/window_layout.h"

#include "chrome/face_table.h"
#include "chrome/window_size.h"

#include <cmath>

namespace {

constexpr int kMinimumWidthTwips = 11050;
constexpr int kMinimumHeightTwips = 7815;

int half(int value) { return static_cast<int>(std::floor(value / 2.0)); }

int twipsToWholePixels(int twips) { return (twips + kTwipsPerPixel - 1) / kTwipsPerPixel; }

// A browser pane overhanging its container by `overhang` on every side.
QRect overhanging(QSize container, int overhang)
{
    return QRect(-overhang, -overhang, container.width() + 2 * overhang, container.height() + 2 * overhang);
}

QString indexed(const char *name, int index) { return QString::fromLatin1(name) + "_" + QString::number(index); }

void placeTitleButtons(ControlRects &r, int w)
{
    r["npc_2"] = QRect(w - 38, 2, 33, 19);
    r["npc_1"] = QRect(r["npc_2"].left() - 24, 2, 24, 19);
    r["npc_0"] = QRect(r["npc_1"].left() - 24, 2, 24, 19);
    r["npc_5"] = QRect(r["npc_0"].left() - 24, 2, 24, 19);
    r["npc_4"] = QRect(r["npc_5"].left() - 22, 2, 21, 19);
}

void placeTabs(ControlRects &r)
{
    // Tabs 0..4 left to right, 77 pixels apart.
    for (int npc : {6, 7, 8, 9, 3})
        r[indexed("npc", npc)] = QRect(10 + 77 * tabNumber(npc), 27, 65, 57);
}

void placeContentPanes(ControlRects &r, QSize client, const KeptSizes &sizes)
{
    const QRect pane(4, 88, client.width() - 8, client.height() - 115);
    r["zzer"] = pane;
    r["P2"] = QRect(QPoint(half(pane.width() - sizes.P2.width()), half(pane.height() - sizes.P2.height()) - 100),
                    sizes.P2);
    r["webe"] = QRect(QPoint(r["P2"].left() + 50, r["P2"].bottom() + 1 + 30), sizes.webe);
    r["zz_0"] = pane;
    r["zz_1"] = QRect(4, 88, client.width() - 8, client.height() - 92);
    r["zz_2"] = pane;
    r["zz_3"] = pane;
    r["zz_4"] = pane;
    r["Web1"] = overhanging(pane.size(), 2);
    r["Web4"] = overhanging(pane.size(), 2);
    r["Web5"] = overhanging(pane.size(), 2);
}

void placeTools(ControlRects &r, const KeptSizes &sizes)
{
    r["c_z_0"] = QRect(30, 7, 45, 25);
    for (int i = 1; i <= 6; ++i)
        r[indexed("c_z", i)] = QRect(r[indexed("c_z", i - 1)].left() + 55, 7, 45, 25);
    r["lblCount"] = QRect(QPoint(r["c_z_6"].left() + 60, 15), sizes.lblCount);
    r["dl"] = QRect(r["lblCount"].left() + sizes.lblCount.width() + 10, 14, 100, 10);
}

} // namespace

QSize minimumWindowSize()
{
    return {twipsToWholePixels(kMinimumWidthTwips), twipsToWholePixels(kMinimumHeightTwips)};
}

FormResizePlan planFormResize(WindowMode mode, bool fullScreen, QSize outer)
{
    FormResizePlan plan;
    if (mode == WindowMode::Minimised)
        return plan;
    plan.layoutSize = outer;
    if (fullScreen) {
        plan.kind = FormResizePlan::FullScreen;
        return plan;
    }
    plan.kind = FormResizePlan::Normal;
    if (mode == WindowMode::Normal) {
        const QSize enlarged = outer.expandedTo(minimumWindowSize());
        if (enlarged != outer) {
            plan.enlargeTo = enlarged;
            plan.layoutSize = enlarged;
        }
    }
    return plan;
}

ControlRects layout_main(QSize client, const KeptSizes &sizes)
{
    ControlRects r;
    placeTitleButtons(r, client.width());
    placeTabs(r);
    placeContentPanes(r, client, sizes);
    placeTools(r, sizes);
    return r;
}

GameViewLayout layout_game_view(QSize gameView, bool infoPaneShown, QSize tingzhi)
{
    const int w = gameView.width();
    const int h = gameView.height();
    GameViewLayout layout;
    ControlRects &r = layout.rects;
    r["picg"] = QRect(0, 0, w, 25);
    layout.pic2Visible = infoPaneShown;
    if (layout.pic2Visible) {
        r["pic2"] = QRect(w - 168, 25, 168, h - 25);
        r["picf"] = QRect(0, 25, w - 172, h - 25);
    } else {
        r["picf"] = QRect(0, 25, w, h - 25);
    }
    const QRect picf = r["picf"];
    r["pic1"] = QRect(0, 0, picf.width(), picf.height() - 35);
    r["Picd"] = QRect(0, picf.height() - 35, picf.width(), 35);
    const QRect pic1 = r["pic1"];
    r["tingzhi"] = QRect(QPoint(half(pic1.width() - tingzhi.width()), half(pic1.height() - tingzhi.height())), tingzhi);
    r["Web2"] = QRect(-4, -4, pic1.width() + 6, pic1.height() + 6);
    if (layout.pic2Visible)
        r["Webr"] = QRect(-1, -2, r["pic2"].width() + 3, r["pic2"].height() + 3);
    r["c_z_7"] = QRect(r["Picd"].width() - 35, 7, 26, 26);
    return layout;
}

ControlRects layoutListPanel(QSize listTab, int windowWidth, const KeptSizes &sizes)
{
    ControlRects r;
    r["pic4"] = QRect(0, 0, listTab.width(), 25);
    r["lcname"] = QRect(QPoint(168, 7), sizes.lcname);
    r["shan_name"] = QRect(QPoint(windowWidth - sizes.shan_name.width() - 40, 7), sizes.shan_name);
    r["Im2"] = QRect(QPoint(r["lcname"].left() - 10, 9), sizes.Im2);
    r["Pic6"] = QRect(0, 25, 150, listTab.height() - 25);
    r["Pic3"] = QRect(1, 1, 148, r["Pic6"].height() - 1);
    for (int i = 0; i < 3; ++i)
        r[indexed("lc", i)] = QRect(0, 33 * i, r["Pic3"].width(), 32);
    r["Pic7"] = QRect(156, 25, listTab.width() - 156, listTab.height() - 25);
    r["Pic5"] = QRect(1, 1, r["Pic7"].width() - 1, r["Pic7"].height() - 1);
    r["Web3"] = QRect(-4, -4, r["Pic5"].width() + 6, r["Pic5"].height() + 6);
    return r;
}

WindowLayout layoutNormal(QSize client, bool infoPaneShown, const KeptSizes &sizes)
{
    WindowLayout layout;
    ControlRects &r = layout.rects;
    r = layout_main(client, sizes);
    const GameViewLayout gameView = layout_game_view(r["zz_1"].size(), infoPaneShown, sizes.tingzhi);
    r.insert(gameView.rects);
    layout.pic2Visible = gameView.pic2Visible;
    r.insert(layoutListPanel(r["zz_2"].size(), client.width(), sizes));
    r["title_name"] = QRect(QPoint(26, 7), sizes.title_name);
    r["ad_pic"] = QRect(client.width() - 290, 26, 250, 60);
    r["adweb"] = overhanging(r["ad_pic"].size(), 2);
    r["renj"] = QRect(QPoint(20, client.height() - 20), sizes.renj);
    return layout;
}

ControlRects layout_full_screen(QSize client, const KeptSizes &sizes)
{
    ControlRects r = layout_main(client, sizes);
    r["zz_1"] = QRect(4, 28, client.width() - 8, client.height() - 32);
    const QSize view = r["zz_1"].size();
    r["picg"] = QRect(0, 0, view.width(), 25);
    r["c_z_8"] = QRect(r["picg"].width() - 80, 3, 55, 20);
    r["picf"] = QRect(0, 25, view.width(), view.height() - 25);
    r["pic1"] = QRect(0, 0, r["picf"].width(), r["picf"].height());
    r["Web2"] = QRect(-4, -4, r["pic1"].width() + 6, r["pic1"].height() + 6);
    return r;
}
