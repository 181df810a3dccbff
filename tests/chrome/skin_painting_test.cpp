#include "chrome/button_faces.h"
#include "chrome/skin.h"
#include "chrome/skin_button.h"
#include "chrome/window_background.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <map>
#include <set>

namespace {

// A template whose every pixel names its own position: red = x, green = y.
QImage positionTemplate()
{
    QImage image(100, 133, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    return image;
}

QPoint sourceOf(const QImage &painted, int x, int y)
{
    const QRgb pixel = painted.pixel(x, y);
    EXPECT_EQ(qBlue(pixel), 0) << "not from the template at " << x << "," << y;
    return {qRed(pixel), qGreen(pixel)};
}

// Over a stretched run of destination columns: which source columns it used, how often.
std::map<int, int> sourceColumns(const QImage &painted, int fromX, int toX, int y)
{
    std::map<int, int> used;
    int previous = -1;
    for (int x = fromX; x < toX; ++x) {
        const int source = sourceOf(painted, x, y).x();
        EXPECT_GE(source, previous) << "columns out of order at " << x;
        previous = source;
        ++used[source];
    }
    return used;
}

} // namespace

TEST(PaintBackground, At737PixelsTheTopBandAndBottomEdgeStretchTheirOwnColumns)
{
    const QSize client(737, 521);
    const QImage painted = composeBackground(positionTemplate(), client, windowBackgroundPieces(client));

    // Top band: 20 source columns 70..89 over 657 pixels from x 70, rows unstretched.
    for (int y : {0, 40, 87, 95}) {
        const auto used = sourceColumns(painted, 70, 727, y);
        ASSERT_EQ(used.size(), 20u);
        EXPECT_EQ(used.begin()->first, 70);
        EXPECT_EQ(used.rbegin()->first, 89);
        for (const auto &[column, count] : used)
            EXPECT_TRUE(count == 32 || count == 33 || count == 34) << column << " used " << count;
        EXPECT_EQ(sourceOf(painted, 400, y).y(), y);
    }

    // Bottom edge: 30 source columns 35..64 over 667 pixels, rows 103..132.
    for (int row = 0; row < 30; row += 7) {
        const int y = client.height() - 30 + row;
        const auto used = sourceColumns(painted, 35, 702, y);
        ASSERT_EQ(used.size(), 30u);
        EXPECT_EQ(used.begin()->first, 35);
        EXPECT_EQ(used.rbegin()->first, 64);
        EXPECT_EQ(sourceOf(painted, 368, y).y(), 103 + row);
    }
}

TEST(PaintBackground, RightPiecesComeFromTheRightOfTheTemplate)
{
    const QSize client(737, 521);
    const QImage painted = composeBackground(positionTemplate(), client, windowBackgroundPieces(client));
    // Top-right piece: 10 columns from x 90; right edge: 35 columns from x 65.
    EXPECT_EQ(sourceOf(painted, 727, 50), QPoint(90, 50));
    EXPECT_EQ(sourceOf(painted, 736, 50), QPoint(99, 50));
    EXPECT_EQ(sourceOf(painted, 702, 300), QPoint(65, sourceOf(painted, 702, 300).y()));
    EXPECT_EQ(sourceOf(painted, 736, 300).x(), 99);
    EXPECT_GE(sourceOf(painted, 736, 300).y(), 96);
    EXPECT_LE(sourceOf(painted, 736, 300).y(), 102);
    // Corners lie over the edges, the top pieces over the tops of the side edges.
    EXPECT_EQ(sourceOf(painted, 0, 491), QPoint(0, 103));
    EXPECT_EQ(sourceOf(painted, 736, 520), QPoint(99, 132));
    EXPECT_EQ(sourceOf(painted, 0, 95), QPoint(0, 95));
    EXPECT_EQ(sourceOf(painted, 736, 95), QPoint(99, 95));
    // The inner area keeps the background colour.
    EXPECT_EQ(painted.pixel(368, 300), qRgb(224, 224, 224));
    EXPECT_EQ(painted.pixel(35, 96), qRgb(224, 224, 224));
}

TEST(ApplyWindowRegion, CornersAreRounded)
{
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.resize(737, 521);
    apply_window_region(&window);
    const QRegion mask = window.mask();
    const int r = 736;
    const int b = 520;
    for (const QPoint cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(r, 0), QPoint(r - 1, 0),
                             QPoint(r, 1), QPoint(0, b), QPoint(1, b), QPoint(0, b - 1), QPoint(r, b),
                             QPoint(r - 1, b), QPoint(r, b - 1)})
        EXPECT_FALSE(mask.contains(cut)) << cut.x() << "," << cut.y();
    for (const QPoint kept : {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(r - 2, 0), QPoint(r - 1, 1),
                              QPoint(r, 2), QPoint(r, b - 2), QPoint(r - 1, b - 1), QPoint(2, b), QPoint(368, 260)})
        EXPECT_TRUE(mask.contains(kept)) << kept.x() << "," << kept.y();
}

TEST(WindowBackground, PaintBackgroundRecomposesAndReshapes)
{
    Skin skin;
    skin.load(0);
    QWidget window;
    window.resize(800, 600);
    WindowBackground background(&window);
    background.paint_background(skin.strip(0), window.size());
    EXPECT_EQ(background.image().size(), QSize(800, 600));
    // The logo sits in the top-left piece; the stretched top band carries none of it.
    EXPECT_EQ(background.image().pixel(14, 14), skin.strip(0).pixel(14, 14));
    EXPECT_EQ(background.image().pixel(400, 14), skin.strip(0).pixel(80, 14));
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(400, 300)));
}

TEST(SkinArtwork, StripsHaveTheirSizesAndTheTemplateItsColours)
{
    Skin skin;
    ASSERT_EQ(skin.load(0), kSkinStripCount);
    for (int i = 0; i < kSkinStripCount; ++i)
        EXPECT_EQ(skin.strip(i).size(), skinStripSize(i)) << i;

    const QImage &t = skin.strip(0);
    EXPECT_EQ(t.pixel(0, 50) & 0xFFFFFF, qRgb(41, 165, 203) & 0xFFFFFF);
    EXPECT_EQ(t.pixel(99, 120) & 0xFFFFFF, qRgb(41, 165, 203) & 0xFFFFFF);
    EXPECT_EQ(t.pixel(50, 132) & 0xFFFFFF, qRgb(41, 165, 203) & 0xFFFFFF);
    EXPECT_EQ(t.pixel(1, 50) & 0xFFFFFF, qRgb(197, 234, 252) & 0xFFFFFF);
    EXPECT_EQ(t.pixel(50, 1) & 0xFFFFFF, qRgb(197, 234, 252) & 0xFFFFFF);
    auto near = [](QRgb a, QColor b) {
        return std::abs(qRed(a) - b.red()) <= 3 && std::abs(qGreen(a) - b.green()) <= 3 &&
               std::abs(qBlue(a) - b.blue()) <= 3;
    };
    EXPECT_TRUE(near(t.pixel(50, 2), QColor(40, 183, 227)));
    EXPECT_TRUE(near(t.pixel(50, 130), QColor(189, 232, 249)));
    // A dark rule on row 87 and a light one on row 106, each darker or lighter than its rows.
    EXPECT_LT(qGray(t.pixel(50, 87)), qGray(t.pixel(50, 86)) - 20);
    EXPECT_GT(qGray(t.pixel(50, 106)), qGray(t.pixel(50, 105)) + 20);
    // The logo is warm where the gradient is blue.
    const QRgb logo = t.pixel(9, 18);
    EXPECT_GT(qRed(logo), qBlue(logo) + 60);
}

TEST(SkinArtwork, AtScaleTwoTheSameArtHasTwiceThePixelsAtTheSameLogicalSizes)
{
    Skin one, two;
    one.load(0, 1);
    ASSERT_EQ(two.load(0, 2), kSkinStripCount);
    for (int i = 0; i < kSkinStripCount; ++i) {
        EXPECT_EQ(two.strip(i).size(), skinStripSize(i) * 2) << i;
        EXPECT_EQ(two.strip(i).devicePixelRatio(), 2) << i;
    }
    // Borders, rules and gradient rows cover both pixels of each of theirs; the logo is drawn
    // again, finer than the small one enlarged.
    const QImage &t1 = one.strip(0), &t2 = two.strip(0);
    for (QPoint at : {QPoint(0, 50), QPoint(1, 50), QPoint(99, 120), QPoint(50, 40), QPoint(50, 87), QPoint(50, 106)}) {
        EXPECT_EQ(t2.pixel(at * 2), t1.pixel(at)) << at.x() << "," << at.y();
        EXPECT_EQ(t2.pixel(at * 2 + QPoint(1, 1)), t1.pixel(at)) << at.x() << "," << at.y();
    }
    EXPECT_NE(t2.copy(14, 18, 32, 24), t1.copy(7, 9, 16, 12).scaled(32, 24));

    const Face minimise = *restFace({SkinButtonId::Npc, 0}, {});
    const QImage face = two.cut(minimise);
    EXPECT_EQ(face.deviceIndependentSize(), QSizeF(minimise.cell.size()));
    EXPECT_EQ(face.pixel(20, 20), two.strip(minimise.strip).pixel(minimise.cell.topLeft() * 2 + QPoint(20, 20)));

    // The window background: the same pieces in the same logical places, twice the pixels.
    const QSize client(737, 521);
    const QImage b1 = composeBackground(t1, client, windowBackgroundPieces(client));
    const QImage b2 = composeBackground(t2, client, windowBackgroundPieces(client));
    EXPECT_EQ(b2.size(), client * 2);
    EXPECT_EQ(b2.deviceIndependentSize(), QSizeF(client));
    for (QPoint at :
         {QPoint(0, 50), QPoint(400, 10), QPoint(400, 87), QPoint(736, 60), QPoint(400, 494), QPoint(400, 520)})
        EXPECT_EQ(b2.pixel(at * 2), b1.pixel(at)) << at.x() << "," << at.y();
}

TEST(SkinArtwork, EveryFaceIsDrawnAndLightsUpOnHover)
{
    Skin skin;
    skin.load(0);
    const std::pair<SkinButtonId, std::vector<ButtonFaceState>> buttons[] = {
        {{SkinButtonId::Npc, 0}, {{}}},
        {{SkinButtonId::Npc, 1}, {{false, {}}, {true, {}}}},
        {{SkinButtonId::Npc, 2}, {{}}},
        {{SkinButtonId::Npc, 4}, {{false, false}, {false, true}}},
        {{SkinButtonId::Npc, 5}, {{}}},
        {{SkinButtonId::Npc, 6}, {{}}}, {{SkinButtonId::Npc, 7}, {{}}}, {{SkinButtonId::Npc, 8}, {{}}},
        {{SkinButtonId::Npc, 9}, {{}}}, {{SkinButtonId::Npc, 3}, {{}}},
        {{SkinButtonId::Tool, 0}, {{false, false}, {false, true}}},
        {{SkinButtonId::Tool, 1}, {{}}},
        {{SkinButtonId::Tool, 2}, {{false, false}, {false, true}}},
        {{SkinButtonId::Tool, 3}, {{}}}, {{SkinButtonId::Tool, 4}, {{}}}, {{SkinButtonId::Tool, 5}, {{}}},
        {{SkinButtonId::Tool, 6}, {{}}},
        {{SkinButtonId::Tool, 7}, {{false, true}, {false, false}}},
        {{SkinButtonId::Tool, 8}, {{}}},
    };
    for (const auto &[id, states] : buttons) {
        std::set<size_t> restKeys;
        for (const ButtonFaceState &state : states) {
            const QImage rest = skin.cut(*restFace(id, state));
            const QImage hover = skin.cut(*hoverFace(id, state));
            ASSERT_FALSE(rest.isNull()) << id.objectName().toStdString();
            int inked = 0;
            int changed = 0;
            for (int y = 0; y < rest.height(); ++y)
                for (int x = 0; x < rest.width(); ++x) {
                    inked += qAlpha(rest.pixel(x, y)) > 128;
                    changed += rest.pixel(x, y) != hover.pixel(x, y);
                }
            const int area = rest.width() * rest.height();
            EXPECT_GT(inked, area / 40) << id.objectName().toStdString() << " blank at rest";
            EXPECT_GT(changed, area / 5) << id.objectName().toStdString() << " barely lit";
            restKeys.insert(qHashBits(rest.constBits(), rest.sizeInBytes()));
        }
        // Each state of a toggling button has a face of its own.
        EXPECT_EQ(restKeys.size(), states.size()) << id.objectName().toStdString();
    }
    // Selected tabs differ from resting ones.
    for (int npc : {6, 7, 8, 9, 3}) {
        const SkinButtonId tab{SkinButtonId::Npc, npc};
        EXPECT_NE(skin.cut(*selectedTabFace(tab)), skin.cut(*restFace(tab, {})));
    }
}

TEST(SkinArtwork, MissingSkinKeepsTheLoadedStrips)
{
    Skin skin;
    EXPECT_EQ(skin.load(1), 0);
    EXPECT_TRUE(skin.strip(0).isNull());
    skin.load(0);
    const QImage before = skin.strip(6);
    EXPECT_EQ(skin.load(1), 0);
    EXPECT_EQ(skin.strip(6), before);
    EXPECT_TRUE(skin.strip(13).isNull());
}

TEST(SkinArtwork, OtherPictures)
{
    const std::pair<const char *, QSize> pictures[] = {{SkinPictures::kRetry, {204, 153}},
                                                       {SkinPictures::kBullet, {6, 6}},
                                                       {SkinPictures::kAdClose, {11, 11}},
                                                       {SkinPictures::kRecommendClose, {51, 21}}};
    for (const auto &[resource, size] : pictures) {
        EXPECT_EQ(QImage(resource).size(), size) << resource;
        EXPECT_EQ(skinPicture(resource).deviceIndependentSize(), QSizeF(size)) << resource;
        // Drawn again at twice the pixels for a screen scaled by 2, the same picture in its middle.
        QString twiceName = resource;
        twiceName.insert(twiceName.lastIndexOf('.'), "@2x");
        const QImage once(resource), twice(twiceName);
        EXPECT_EQ(twice.size(), size * 2) << resource;
        const QPoint middle(size.width() / 2, size.height() / 2);
        EXPECT_LE(std::abs(qAlpha(twice.pixel(middle * 2)) - qAlpha(once.pixel(middle))), 64) << resource;
    }
    const QIcon icon = programIcon();
    EXPECT_EQ(icon.availableSizes().size(), 7);
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}

TEST(PaintButtonFaces, StartUpFacesWhateverTheToolsToggles)
{
    Skin skin;
    skin.load(0);
    QWidget window;
    window.setWindowState(Qt::WindowMaximized);
    SkinButtons buttons;
    for (int i = 0; i < 10; ++i)
        buttons.npc[i] = new SkinButton(skin, {SkinButtonId::Npc, i}, &window);
    for (int i = 0; i < 9; ++i)
        buttons.c_z[i] = new SkinButton(skin, {SkinButtonId::Tool, i}, &window);
    // Pinned, paused, muted, info pane shown.
    for (SkinButton *toggle : {buttons.npc[4], buttons.c_z[0], buttons.c_z[2], buttons.c_z[7]})
        toggle->setToggled(true);
    buttons.c_z[5] = nullptr; // a missing button is passed over

    paint_button_faces(buttons);
    auto shows = [&](SkinButton *b, Face f) { return b->faceImage() == skin.cut(f); };
    EXPECT_TRUE(shows(buttons.npc[1], {4, QRect(0, 0, 24, 19)}));   // restore, maximised
    EXPECT_TRUE(shows(buttons.npc[4], {5, QRect(42, 0, 21, 19)}));  // pinned
    EXPECT_TRUE(shows(buttons.npc[5], {1, QRect(21, 0, 24, 19)}));  // menu
    EXPECT_TRUE(shows(buttons.npc[6], {7, QRect(0, 0, 65, 57)}));   // catalogue selected
    EXPECT_TRUE(shows(buttons.npc[3], {6, QRect(260, 0, 65, 57)})); // music at rest
    EXPECT_TRUE(shows(buttons.c_z[0], {11, QRect(0, 0, 45, 25)}));  // pause
    EXPECT_TRUE(shows(buttons.c_z[2], {11, QRect(0, 25, 45, 25)})); // mute
    EXPECT_TRUE(shows(buttons.c_z[7], {12, QRect(0, 26, 26, 26)})); // show arrow
    EXPECT_TRUE(shows(buttons.c_z[8], {3, QRect(0, 0, 55, 20)}));
    EXPECT_EQ(buttons.c_z[8]->size(), QSize(55, 20));
}
