// Bit-level encoding against byte sequences worked out by hand from the SWF file format.
#include "bit_writer.h"
#include "records.h"
#include "shape.h"
#include "tags.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace swfgen {
namespace {

TEST(BitWriter, PacksFieldsMostSignificantBitFirstAndPadsWithZeros)
{
    BitWriter w;
    w.writeUB(0b101, 3);
    w.writeSB(-3, 4);    // 1101
    w.writeFlag(true);   // 1
    w.writeUB(0b11, 2);  // spills into the second byte
    EXPECT_EQ(w.bytes(), (Bytes{0b10111011, 0b11000000}));
}

TEST(BitWriter, ByteValuesAlignFirstAndAreLittleEndian)
{
    BitWriter w;
    w.writeUB(1, 1);
    w.writeU16(0x1234);
    w.writeU32(0xA1B2C3D4);
    w.writeFixed8(24.5);
    w.writeString("ab");
    EXPECT_EQ(w.bytes(), (Bytes{0x80, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0x80, 0x18, 'a', 'b', 0}));
}

TEST(BitWriter, RefusesValuesWiderThanTheirField)
{
    BitWriter w;
    EXPECT_THROW(w.writeUB(8, 3), std::out_of_range);
    EXPECT_THROW(w.writeSB(4, 3), std::out_of_range);    // 3 signed bits hold -4..3
    EXPECT_THROW(w.writeSB(-5, 3), std::out_of_range);
    EXPECT_NO_THROW(w.writeSB(-4, 3));
    EXPECT_THROW(w.writeString(std::string("a\0b", 3)), std::invalid_argument);
}

TEST(BitWriter, FieldWidthsAreTheSmallestThatHoldTheValue)
{
    EXPECT_EQ(signedBits(0), 0);
    EXPECT_EQ(signedBits(1), 2);
    EXPECT_EQ(signedBits(-1), 1);
    EXPECT_EQ(signedBits(-2), 2);
    EXPECT_EQ(signedBits(127), 8);
    EXPECT_EQ(signedBits(-128), 8);
    EXPECT_EQ(signedBits(-129), 9);
    EXPECT_EQ(unsignedBits(255), 8);
    EXPECT_EQ(signedBits({3, -100, 20}), 8);
}

Bytes encodedRect(const Rect& r)
{
    BitWriter w;
    writeRect(w, r);
    return w.bytes();
}

TEST(Records, RectOfTheClassic550By400Stage)
{
    // Nbits 15, then 0, 11000, 0, 8000 twips.
    EXPECT_EQ(encodedRect(pixelRect(0, 0, 550, 400)),
              (Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}));
}

TEST(Records, RectOf400By300Stage)
{
    // Nbits 14: 01110, then 0, 8000 (01111101000000), 0, 6000 (01011101110000), 3 pad bits.
    EXPECT_EQ(encodedRect(pixelRect(0, 0, 400, 300)),
              (Bytes{0x70, 0x00, 0x0F, 0xA0, 0x00, 0x00, 0xBB, 0x80}));
}

TEST(Records, TwipsRoundToTheNearestTwentiethInBothDirections)
{
    EXPECT_EQ(twips(10), 200);
    EXPECT_EQ(twips(-5), -100);
    EXPECT_EQ(twips(0.04), 1);
    EXPECT_EQ(twips(-0.04), -1);
}

Bytes encodedMatrix(const Matrix& m)
{
    BitWriter w;
    writeMatrix(w, m);
    return w.bytes();
}

TEST(Records, MatrixWritesOnlyTheTermsItHas)
{
    EXPECT_EQ(encodedMatrix(Matrix{}), Bytes{0x00});
    // No scale, no rotate, 9 translate bits: 200 and -100 twips.
    EXPECT_EQ(encodedMatrix(translation(10, -5)), (Bytes{0x12, 0xC8, 0xCE, 0x00}));
    // Scale 2.0 and 0.5 as 16.16 fixed in 19 bits; no rotate; no translation.
    Matrix scaled;
    scaled.scaleX = 2.0;
    scaled.scaleY = 0.5;
    EXPECT_EQ(encodedMatrix(scaled), (Bytes{0xCD, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00}));
}

TEST(Records, ColourTransformWithAddTermsOnly)
{
    BitWriter w;
    writeColorAdd(w, ColorAdd{255, 0, -1, 0});
    // HasAdd 1, HasMult 0, Nbits 9, then 255, 0, -1, 0 in nine bits each.
    EXPECT_EQ(w.bytes(), (Bytes{0xA5, 0xFE, 0x00, 0xFF, 0x80, 0x00}));
}

TEST(Tags, ShortAndLongHeaders)
{
    EXPECT_EQ(showFrame(), (Bytes{0x40, 0x00}));
    EXPECT_EQ(endTag(), (Bytes{0x00, 0x00}));
    EXPECT_EQ(setBackgroundColor(rgb(0xFF8000)), (Bytes{0x43, 0x02, 0xFF, 0x80, 0x00}));
    EXPECT_EQ(fileAttributes(false), (Bytes{0x44, 0x11, 0, 0, 0, 0}));

    // 62 bytes still fit the short form; 63 is the marker for the long one.
    const Bytes shortTag = makeTag(tag::DoAction, Bytes(62, 0));
    EXPECT_EQ(shortTag.size(), 64u);
    EXPECT_EQ(shortTag[0], 0x3E);
    EXPECT_EQ(shortTag[1], 0x03);
    const Bytes longTag = makeTag(tag::DoAction, Bytes(63, 0));
    EXPECT_EQ(longTag.size(), 69u);
    EXPECT_EQ(Bytes(longTag.begin(), longTag.begin() + 6), (Bytes{0x3F, 0x03, 63, 0, 0, 0}));
}

TEST(Tags, PlaceObject2FlagsFollowWhatIsGiven)
{
    Placement named;
    named.depth = 3;
    named.character = 7;
    named.name = "b";
    // HasName | HasCharacter, depth 3, character 7, name.
    EXPECT_EQ(placeObject2(named), (Bytes{0x87, 0x06, 0x22, 0x03, 0x00, 0x07, 0x00, 'b', 0}));

    Placement move;
    move.depth = 1;
    move.matrix = Matrix{};
    // HasMatrix | Move, depth 1, identity matrix byte.
    EXPECT_EQ(placeObject2(move), (Bytes{0x84, 0x06, 0x05, 0x01, 0x00, 0x00}));

    Placement swap;
    swap.depth = 1;
    swap.character = 2;
    swap.replace = true;
    EXPECT_EQ(placeObject2(swap), (Bytes{0x85, 0x06, 0x03, 0x01, 0x00, 0x02, 0x00}));
}

TEST(Tags, SoundDefinitionAndLoopingStart)
{
    const Bytes sound = defineSound(5, SoundRate::Hz22050, {1, -2});
    // Id 5; format 3, rate 2, 16-bit, mono = 0011 10 1 0; two samples; little-endian data.
    EXPECT_EQ(sound, (Bytes{0x8B, 0x03, 0x05, 0x00, 0x3A, 0x02, 0, 0, 0, 0x01, 0x00, 0xFE, 0xFF}));
    EXPECT_EQ(startSound(5, 0), (Bytes{0xC3, 0x03, 0x05, 0x00, 0x00}));
    EXPECT_EQ(startSound(5, 300), (Bytes{0xC5, 0x03, 0x05, 0x00, 0x04, 0x2C, 0x01}));
}

TEST(Shape, RectangleRecordsByHand)
{
    Shape s;
    s.rect(rgb(0xFF0000), 0, 0, 10, 10);
    const Bytes expected = {
        0x01, 0x00,                               // id 1
        0x48, 0x01, 0x90, 0x00, 0x64, 0x00,       // bounds 0..200 twips, Nbits 9
        0x01, 0x00, 0xFF, 0x00, 0x00, 0xFF,       // one solid fill, RGBA
        0x00,                                     // no line styles
        0x10,                                     // 1 fill bit, 0 line bits
        // Move to (0,0) with fill 0 = 1; edges right, down, left, up (200 twips, 9 bits);
        // end record; pad.
        0x0C, 0x1D, 0xC6, 0x46, 0xEB, 0x23, 0x72, 0x71, 0xBB, 0x38, 0x00};
    EXPECT_EQ(s.encode(1), expected);
}

TEST(Shape, EveryFigureOpensItsOwnStyleLayer)
{
    Shape one, two;
    one.rect(rgb(0xFFFFFF), 0, 0, 10, 10);
    two.rect(rgb(0xFFFFFF), 0, 0, 10, 10);
    two.rect(rgb(0x000000), 2, 2, 4, 4);
    const Bytes a = one.encode(1), b = two.encode(1);
    // The second figure adds a new-styles record with its own RGBA fill.
    const Bytes black = {0x01, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x10};
    EXPECT_NE(std::search(b.begin(), b.end(), black.begin(), black.end()), b.end());
    EXPECT_EQ(std::search(a.begin(), a.end(), black.begin(), black.end()), a.end());
}

TEST(Shape, CircleClosesExactlyAndBoundsCoverIt)
{
    Shape s;
    s.circle(rgb(0x00FF00), 50, 40, 12.3);
    const Bytes body = s.encode(9);
    BitWriter w;
    writeRect(w, Rect{twips(50 - 12.3), twips(50 + 12.3), twips(40 - 12.3), twips(40 + 12.3)});
    EXPECT_TRUE(std::equal(w.bytes().begin(), w.bytes().end(), body.begin() + 2));
}

} // namespace
} // namespace swfgen
