#include "tags.h"

#include "shape.h"

#include <stdexcept>

namespace swfgen {

Bytes makeTag(uint16_t code, const Bytes& body)
{
    if (code >= 1024)
        throw std::out_of_range("tag code has ten bits");
    BitWriter out;
    if (body.size() < 0x3F) {
        out.writeU16(uint16_t(code << 6 | body.size()));
    } else {
        out.writeU16(uint16_t(code << 6 | 0x3F));
        out.writeU32(uint32_t(body.size()));
    }
    out.writeBytes(body);
    return out.bytes();
}

Bytes fileAttributes(bool useNetwork)
{
    BitWriter out;
    out.writeU32(useNetwork ? 0x01 : 0x00);   // AS3 flag clear: the movie runs on AVM1
    return makeTag(tag::FileAttributes, out.bytes());
}

Bytes setBackgroundColor(const Rgba& colour)
{
    BitWriter out;
    writeRgb(out, colour);
    return makeTag(tag::SetBackgroundColor, out.bytes());
}

Bytes showFrame()
{
    return makeTag(tag::ShowFrame, {});
}

Bytes endTag()
{
    return makeTag(tag::End, {});
}

Bytes doAction(const Bytes& actions)
{
    Bytes body = actions;
    body.push_back(0x00);
    return makeTag(tag::DoAction, body);
}

Bytes defineShape(uint16_t id, const Shape& shape)
{
    return makeTag(tag::DefineShape3, shape.encode(id));
}

Bytes removeObject2(uint16_t depth)
{
    BitWriter out;
    out.writeU16(depth);
    return makeTag(tag::RemoveObject2, out.bytes());
}

Bytes defineSprite(uint16_t id, uint16_t frameCount, const std::vector<Bytes>& tags)
{
    BitWriter out;
    out.writeU16(id);
    out.writeU16(frameCount);
    for (const Bytes& t : tags)
        out.writeBytes(t);
    out.writeBytes(endTag());
    return makeTag(tag::DefineSprite, out.bytes());
}

Bytes placeObject2(const Placement& p)
{
    BitWriter out;
    out.writeFlag(false);                 // clip actions
    out.writeFlag(false);                 // clip depth
    out.writeFlag(!p.name.empty());
    out.writeFlag(false);                 // ratio
    out.writeFlag(p.colour.has_value());
    out.writeFlag(p.matrix.has_value());
    out.writeFlag(p.character.has_value());
    out.writeFlag(!p.character || p.replace);   // move: modify what is at the depth
    out.writeU16(p.depth);
    if (p.character)
        out.writeU16(*p.character);
    if (p.matrix)
        writeMatrix(out, *p.matrix);
    if (p.colour)
        writeColorAdd(out, *p.colour);
    if (!p.name.empty())
        out.writeString(p.name);
    return makeTag(tag::PlaceObject2, out.bytes());
}

Bytes defineEditText(uint16_t id, const EditText& t)
{
    BitWriter out;
    out.writeU16(id);
    writeRect(out, t.bounds);
    const bool hasFont = t.fontId != 0;
    out.writeFlag(!t.initialText.empty());   // has text
    out.writeFlag(false);                    // word wrap
    out.writeFlag(false);                    // multiline
    out.writeFlag(false);                    // password
    out.writeFlag(true);                     // read only
    out.writeFlag(true);                     // has text colour
    out.writeFlag(false);                    // max length
    out.writeFlag(hasFont);
    out.writeFlag(false);                    // font class
    out.writeFlag(false);                    // auto size
    out.writeFlag(true);                     // layout
    out.writeFlag(true);                     // no select
    out.writeFlag(false);                    // border
    out.writeFlag(false);                    // was static
    out.writeFlag(false);                    // HTML
    out.writeFlag(false);                    // outlines: device font
    if (hasFont) {
        out.writeU16(t.fontId);
        out.writeU16(uint16_t(twips(t.fontSizePixels)));
    }
    writeRgba(out, t.colour);
    out.writeU8(t.align);
    out.writeU16(0);   // left margin
    out.writeU16(0);   // right margin
    out.writeU16(0);   // indent
    out.writeS16(0);   // leading
    out.writeString(t.variable);
    if (!t.initialText.empty())
        out.writeString(t.initialText);
    return makeTag(tag::DefineEditText, out.bytes());
}

Bytes defineDeviceFont(uint16_t id, const std::string& name)
{
    if (name.size() > 255)
        throw std::length_error("font name too long");
    BitWriter out;
    out.writeU16(id);
    out.writeU8(0);   // flags: no layout, narrow offsets and codes
    out.writeU8(0);   // language
    out.writeU8(uint8_t(name.size()));
    for (char c : name)
        out.writeU8(uint8_t(c));
    out.writeU16(0);   // no glyphs
    out.writeU16(0);   // code table offset (no offset table precedes it)
    return makeTag(tag::DefineFont2, out.bytes());
}

Bytes defineSound(uint16_t id, SoundRate rate, const std::vector<int16_t>& samples)
{
    BitWriter out;
    out.writeU16(id);
    out.writeUB(3, 4);                  // uncompressed, little-endian
    out.writeUB(uint32_t(rate), 2);
    out.writeUB(1, 1);                  // 16-bit samples
    out.writeUB(0, 1);                  // mono
    out.writeU32(uint32_t(samples.size()));
    for (int16_t s : samples)
        out.writeU16(uint16_t(s));
    return makeTag(tag::DefineSound, out.bytes());
}

Bytes startSound(uint16_t id, uint16_t loopCount)
{
    BitWriter out;
    out.writeU16(id);
    out.writeUB(0, 2);                  // reserved
    out.writeFlag(false);               // sync stop
    out.writeFlag(false);               // sync no multiple
    out.writeFlag(false);               // envelope
    out.writeFlag(loopCount != 0);      // loops
    out.writeFlag(false);               // out point
    out.writeFlag(false);               // in point
    if (loopCount != 0)
        out.writeU16(loopCount);
    return makeTag(tag::StartSound, out.bytes());
}

} // namespace swfgen
