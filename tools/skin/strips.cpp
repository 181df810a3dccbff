#include "strips.h"

#include "glyphs.h"
#include "style.h"

#include <QPainter>

#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace {

enum class Look { Rest, Hover, Selected };
enum class Kind { Title, CloseButton, Tab, Tool, InfoToggle, LeaveFullScreen };

struct Art {
    Kind kind;
    Glyph glyph;
    QString label;
    bool engaged = false; // a toggle in its "on" state (pinned) shows a faint glow at rest
};

// Every state a button's face depends on.
std::vector<ButtonFaceState> statesOf(SkinButtonId id)
{
    const std::vector<ButtonFaceState> toggleOffAndOn{{false, false}, {false, true}};
    if (id.group == SkinButtonId::Npc) {
        if (id.index == 1)
            return {{false, false}, {true, false}};
        if (id.index == 4)
            return toggleOffAndOn;
        return {{}};
    }
    switch (id.index) {
    case 0:
    case 2:
    case 7: return toggleOffAndOn;
    default: return {{}};
    }
}

Art titleArt(int index, const ButtonFaceState &state)
{
    switch (index) {
    case 0: return {Kind::Title, Glyph::Minimise, {}};
    case 1: return {Kind::Title, state.windowMaximised ? Glyph::Restore : Glyph::Maximise, {}};
    case 2: return {Kind::CloseButton, Glyph::Close, {}};
    case 4:
        if (!state.toggled)
            return {Kind::Title, Glyph::Pin, {}};
        return {Kind::Title, Glyph::Pinned, {}, true};
    default: return {Kind::Title, Glyph::Menu, {}};
    }
}

Art tabArt(int tab)
{
    static const std::pair<Glyph, const char *> kTabs[] = {
        {Glyph::Catalogue, "游戏大全"}, {Glyph::Gamepad, "当前游戏"}, {Glyph::MyGames, "我的游戏"},
        {Glyph::Globe, "网页游戏"},     {Glyph::Music, "在线音乐"},
    };
    return {Kind::Tab, kTabs[tab].first, QString::fromUtf8(kTabs[tab].second)};
}

Art toolArt(int index, const ButtonFaceState &state)
{
    auto tool = [](Glyph glyph, const char *label) { return Art{Kind::Tool, glyph, QString::fromUtf8(label)}; };
    switch (index) {
    case 0: return !state.toggled ? tool(Glyph::Pause, "暂停") : tool(Glyph::Play, "继续");
    case 1: return tool(Glyph::Replay, "重玩");
    case 2:
        return !state.toggled ? tool(Glyph::Speaker, "静音") : tool(Glyph::SpeakerMuted, "声音");
    case 3: return tool(Glyph::Star, "收藏");
    case 4: return tool(Glyph::Camera, "截图");
    case 5: return tool(Glyph::Download, "下载");
    case 6: return tool(Glyph::FullScreen, "全屏");
    case 7:
        return {Kind::InfoToggle, state.toggled ? Glyph::ChevronRight : Glyph::ChevronLeft, {}};
    default: return {Kind::LeaveFullScreen, Glyph::FullScreen, QString::fromUtf8("退出全屏")};
    }
}

Art artFor(SkinButtonId id, const ButtonFaceState &state)
{
    if (id.group == SkinButtonId::Tool)
        return toolArt(id.index, state);
    return id.isTab() ? tabArt(tabNumber(id.index)) : titleArt(id.index, state);
}

void drawShadowedGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &ink)
{
    drawGlyph(p, glyph, box.translated(0, 1), style::kTitleShadow);
    drawGlyph(p, glyph, box, ink);
}

// White on the white glow needs an edge: a blue outline one pixel wide.
void drawOutlinedGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &ink)
{
    for (const QPointF offset : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
        drawGlyph(p, glyph, box.translated(offset), style::kGlowOutline);
    drawGlyph(p, glyph, box, ink);
}

void drawTitleFace(QPainter &p, const QRect &cell, const Art &art, Look look)
{
    const QRectF inner = QRectF(cell).adjusted(1, 1, -1, -1);
    const QRectF iconBox(cell.x() + (cell.width() - 16) / 2, cell.y() + 1, 16, 16);
    if (art.kind == Kind::CloseButton && look == Look::Hover) {
        style::drawPanel(p, inner, QColor(240, 96, 88), QColor(204, 44, 40), QColor(170, 30, 30), 3);
        drawGlyph(p, art.glyph, iconBox, style::kLitInk);
        return;
    }
    if (look == Look::Hover) {
        style::drawGlow(p, inner);
        drawOutlinedGlyph(p, art.glyph, iconBox, style::kTitleInk);
        return;
    }
    if (art.engaged) {
        p.save();
        p.setOpacity(0.45);
        style::drawGlow(p, inner);
        p.restore();
    }
    drawShadowedGlyph(p, art.glyph, iconBox, style::kTitleInk);
}

void drawTabFace(QPainter &p, const QRect &cell, const Art &art, Look look)
{
    const QRectF panel = QRectF(cell).adjusted(1, 1, -1, -1);
    const QRectF iconBox(cell.x() + 16, cell.y() + 5, 32, 32);
    const QRectF labelBox(cell.x(), cell.y() + 39, cell.width(), 15);
    const QFont font = style::uiFont(12);
    if (look == Look::Selected) {
        style::drawPanel(p, panel, QColor(255, 255, 255), QColor(212, 238, 252), QColor(60, 146, 198), 5);
        drawGlyph(p, art.glyph, iconBox, style::kToolInk);
        style::drawText(p, labelBox, art.label, font, style::kDeepBlue);
        return;
    }
    if (look == Look::Hover) {
        style::drawGlow(p, panel, 5);
        drawOutlinedGlyph(p, art.glyph, iconBox, style::kTitleInk);
    } else {
        drawShadowedGlyph(p, art.glyph, iconBox, style::kTitleInk);
    }
    style::drawText(p, labelBox, art.label, font, style::kDeepBlue, QColor(255, 255, 255, 120));
}

void drawToolFace(QPainter &p, const QRect &cell, const Art &art, Look look)
{
    const bool lit = look == Look::Hover;
    const QColor ink = lit ? style::kLitInk : style::kToolInk;
    switch (art.kind) {
    case Kind::InfoToggle:
        style::drawChip(p, QRectF(cell).adjusted(1, 1, -1, -1), lit, 12);
        drawGlyph(p, art.glyph, QRectF(cell.x() + 5, cell.y() + 5, 16, 16), ink);
        break;
    case Kind::LeaveFullScreen:
        style::drawChip(p, cell, lit);
        style::drawText(p, cell, art.label, style::uiFont(11), lit ? style::kLitInk : style::kToolText);
        break;
    default:
        style::drawChip(p, cell, lit);
        drawGlyph(p, art.glyph, QRectF(cell.x() + 3, cell.y() + 4, 16, 16), ink);
        style::drawText(p, QRectF(cell.x() + 20, cell.y(), 24, cell.height()), art.label, style::uiFont(12),
                        lit ? style::kLitInk : style::kToolText);
        break;
    }
}

void drawFace(QPainter &p, const QRect &cell, const Art &art, Look look)
{
    switch (art.kind) {
    case Kind::Title:
    case Kind::CloseButton: drawTitleFace(p, cell, art, look); break;
    case Kind::Tab: drawTabFace(p, cell, art, look); break;
    default: drawToolFace(p, cell, art, look); break;
    }
}

// An empty strip of the given size in logical pixels, drawn on at the given scale.
QImage blankStrip(QSize size, int scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

QImage drawWindowTemplate(int scale)
{
    const QSize size = skinStripSize(0);
    QImage image = blankStrip(size, scale);
    QPainter p(&image);
    for (int y = 0; y < size.height(); ++y)
        p.fillRect(0, y, size.width(), 1, style::gradientAt(y, size.height()));
    p.fillRect(2, 87, size.width() - 4, 1, style::kDarkRule);
    p.fillRect(2, 106, size.width() - 4, 1, style::kLightRule);
    // One-pixel frames as filled rows and columns, so they stay whole pixels at any scale.
    for (const auto &[inset, colour] : {std::pair{1, style::kInnerBorder}, std::pair{0, style::kOuterBorder}}) {
        const QRect frame = QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset);
        p.fillRect(frame.left(), frame.top(), frame.width(), 1, colour);
        p.fillRect(frame.left(), frame.bottom(), frame.width(), 1, colour);
        p.fillRect(frame.left(), frame.top(), 1, frame.height(), colour);
        p.fillRect(frame.right(), frame.top(), 1, frame.height(), colour);
    }
    drawLogo(p, QRectF(7, 9, 16, 12));
    return image;
}

} // namespace

std::array<QImage, kSkinStripCount> drawSkinStrips(int scale)
{
    std::array<QImage, kSkinStripCount> strips;
    strips[0] = drawWindowTemplate(scale);
    for (int i = 1; i < kSkinStripCount; ++i)
        strips[i] = blankStrip(skinStripSize(i), scale);

    // Each cell once, whichever buttons and states share it.
    struct CellArt {
        QRect cell;
        Art art;
        Look look;
    };
    std::map<std::tuple<int, int, int>, CellArt> cells;
    auto place = [&cells](const std::optional<Face> &face, const Art &art, Look look) {
        if (face)
            cells.insert({{face->strip, face->cell.x(), face->cell.y()}, {face->cell, art, look}});
    };
    for (auto group : {SkinButtonId::Npc, SkinButtonId::Tool}) {
        for (int index = 0; index <= 9; ++index) {
            const SkinButtonId id{group, index};
            if (!id.isValid())
                continue;
            for (const ButtonFaceState &state : statesOf(id)) {
                const Art art = artFor(id, state);
                place(restFace(id, state), art, Look::Rest);
                place(hoverFace(id, state), art, Look::Hover);
                place(selectedTabFace(id), art, Look::Selected);
            }
        }
    }
    // The skin switch cell at the left of the title strips; the client does not use it.
    const Art skinSwitch{Kind::Title, Glyph::Skin, {}};
    place(Face{1, QRect(0, 0, 21, 19)}, skinSwitch, Look::Rest);
    place(Face{2, QRect(0, 0, 21, 19)}, skinSwitch, Look::Hover);

    for (const auto &[where, what] : cells) {
        QPainter p(&strips[std::get<0>(where)]);
        drawFace(p, what.cell, what.art, what.look);
    }
    return strips;
}
