// Byte and bit writer for the SWF file format: little-endian integers, and bit fields packed
// most significant bit first, as SWF records (RECT, MATRIX, shape records) need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swfgen {

using Bytes = std::vector<uint8_t>;

class BitWriter {
public:
    // Bit fields. Values must fit in the given width; a value that does not is a bug in the
    // caller, so it throws instead of silently truncating.
    void writeUB(uint32_t value, int bits);
    void writeSB(int32_t value, int bits);
    // Signed 16.16 fixed point as a bit field (MATRIX scale and rotate terms).
    void writeFB(double value, int bits);
    void writeFlag(bool flag) { writeUB(flag ? 1 : 0, 1); }

    // Byte-aligned values; each one first pads the pending bit field with zeros.
    void writeU8(uint8_t value);
    void writeU16(uint16_t value);
    void writeS16(int16_t value);
    void writeU32(uint32_t value);
    void writeFloat(float value);
    // 8.8 fixed point, as the frame rate in the header.
    void writeFixed8(double value);
    // A zero-terminated string (UTF-8 from SWF 6 on); it must not hold a zero byte.
    void writeString(const std::string& text);
    void writeBytes(const Bytes& data);

    // Pads the pending bit field with zero bits to the next byte boundary.
    void align();
    // The bytes written so far, aligned.
    const Bytes& bytes();

private:
    Bytes out_;
    uint8_t pending_ = 0;
    int pendingBits_ = 0;
};

// Smallest widths that hold a value; 0 for a zero value, as SWF allows empty fields.
int unsignedBits(uint32_t value);
int signedBits(int32_t value);
// Widest of signedBits over the given values.
int signedBits(std::initializer_list<int32_t> values);
// The 16.16 fixed-point representation of a value.
int32_t toFixed16(double value);

} // namespace swfgen
