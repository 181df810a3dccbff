// SWF tags: the record header and the bodies of the tags this generator writes.
#pragma once

#include "records.h"

#include <optional>
#include <string>

namespace swfgen {

namespace tag {
constexpr uint16_t End = 0, ShowFrame = 1, DefineShape = 2, SetBackgroundColor = 9, DoAction = 12,
                   DefineSound = 14, StartSound = 15, PlaceObject2 = 26, RemoveObject2 = 28,
                   DefineShape3 = 32, DefineEditText = 37, DefineSprite = 39, DefineFont2 = 48,
                   FileAttributes = 69;
}

// A tag with its header: the short form for bodies under 63 bytes, the long form otherwise.
Bytes makeTag(uint16_t code, const Bytes& body);

Bytes fileAttributes(bool useNetwork);
Bytes setBackgroundColor(const Rgba& colour);
Bytes showFrame();
Bytes endTag();
// DoAction with the action bytes; the end-of-actions byte is added here.
Bytes doAction(const Bytes& actions);
Bytes defineShape(uint16_t id, const class Shape& shape);    // DefineShape3
Bytes removeObject2(uint16_t depth);
// A movie clip holding the given control tags (frames ended by ShowFrame); End is added here.
Bytes defineSprite(uint16_t id, uint16_t frameCount, const std::vector<Bytes>& tags);

struct Placement {
    uint16_t depth = 1;
    std::optional<uint16_t> character;   // absent: change the object already at this depth
    bool replace = false;                 // with character: swap the object at this depth
    std::optional<Matrix> matrix;
    std::optional<ColorAdd> colour;
    std::string name;                     // instance name for scripts; empty for none
};
Bytes placeObject2(const Placement& placement);

// A text field; without font it uses the player's device font through an empty DefineFont2.
struct EditText {
    Rect bounds;
    uint16_t fontId = 0;
    double fontSizePixels = 16;
    Rgba colour;
    std::string variable;   // timeline variable the field shows
    std::string initialText;
    uint8_t align = 0;      // 0 left, 1 right, 2 centre
};
Bytes defineEditText(uint16_t id, const EditText& text);
// A font without glyphs: texts using it are drawn with the named device font ("_sans").
Bytes defineDeviceFont(uint16_t id, const std::string& name);

enum class SoundRate : uint8_t { Hz5512 = 0, Hz11025 = 1, Hz22050 = 2, Hz44100 = 3 };
// Uncompressed 16-bit mono little-endian samples.
Bytes defineSound(uint16_t id, SoundRate rate, const std::vector<int16_t>& samples);
// Starts an event sound; loopCount 0 plays it once.
Bytes startSound(uint16_t id, uint16_t loopCount);

} // namespace swfgen
