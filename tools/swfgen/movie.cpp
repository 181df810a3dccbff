#include "movie.h"

#include <stdexcept>

namespace swfgen {

Movie::Movie(int widthPixels, int heightPixels, double frameRate, uint8_t version)
    : width_(widthPixels), height_(heightPixels), frameRate_(frameRate), version_(version)
{
    // SWF 8 is the newest version whose FileAttributes is optional; it is written anyway,
    // since a player may otherwise guess the script engine from the content.
    add(fileAttributes(false));
}

void Movie::showFrame()
{
    add(swfgen::showFrame());
    ++frames_;
}

Bytes Movie::encode() const
{
    BitWriter body;
    writeRect(body, Rect{0, twips(width_), 0, twips(height_)});
    body.writeFixed8(frameRate_);
    // A movie without frames still shows one.
    body.writeU16(frames_ == 0 ? 1 : frames_);
    for (const Bytes& t : tags_)
        body.writeBytes(t);
    body.writeBytes(endTag());

    const Bytes& rest = body.bytes();
    const uint64_t length = 8 + rest.size();
    if (length > 0xFFFFFFFFu)
        throw std::length_error("movie too large");
    BitWriter out;
    out.writeU8('F');
    out.writeU8('W');
    out.writeU8('S');
    out.writeU8(version_);
    out.writeU32(uint32_t(length));
    out.writeBytes(rest);
    return out.bytes();
}

} // namespace swfgen
