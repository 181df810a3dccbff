#include "bit_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace swfgen {

void BitWriter::writeUB(uint32_t value, int bits)
{
    if (bits < 0 || bits > 32 || (bits < 32 && (value >> bits) != 0))
        throw std::out_of_range("unsigned bit field too narrow");
    for (int i = bits - 1; i >= 0; --i) {
        pending_ = uint8_t((pending_ << 1) | ((value >> i) & 1u));
        if (++pendingBits_ == 8) {
            out_.push_back(pending_);
            pending_ = 0;
            pendingBits_ = 0;
        }
    }
}

void BitWriter::writeSB(int32_t value, int bits)
{
    if (signedBits(value) > bits)
        throw std::out_of_range("signed bit field too narrow");
    const uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u);
    writeUB(uint32_t(value) & mask, bits);
}

void BitWriter::writeFB(double value, int bits)
{
    writeSB(toFixed16(value), bits);
}

void BitWriter::align()
{
    if (pendingBits_ > 0) {
        out_.push_back(uint8_t(pending_ << (8 - pendingBits_)));
        pending_ = 0;
        pendingBits_ = 0;
    }
}

void BitWriter::writeU8(uint8_t value)
{
    align();
    out_.push_back(value);
}

void BitWriter::writeU16(uint16_t value)
{
    writeU8(uint8_t(value & 0xFF));
    writeU8(uint8_t(value >> 8));
}

void BitWriter::writeS16(int16_t value)
{
    writeU16(uint16_t(value));
}

void BitWriter::writeU32(uint32_t value)
{
    writeU16(uint16_t(value & 0xFFFF));
    writeU16(uint16_t(value >> 16));
}

void BitWriter::writeFloat(float value)
{
    uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    writeU32(raw);
}

void BitWriter::writeFixed8(double value)
{
    writeU16(uint16_t(std::lround(value * 256.0)));
}

void BitWriter::writeString(const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        throw std::invalid_argument("SWF strings cannot hold a zero byte");
    align();
    out_.insert(out_.end(), text.begin(), text.end());
    out_.push_back(0);
}

void BitWriter::writeBytes(const Bytes& data)
{
    align();
    out_.insert(out_.end(), data.begin(), data.end());
}

const Bytes& BitWriter::bytes()
{
    align();
    return out_;
}

int unsignedBits(uint32_t value)
{
    int bits = 0;
    while (value != 0) {
        ++bits;
        value >>= 1;
    }
    return bits;
}

int signedBits(int32_t value)
{
    if (value == 0)
        return 0;
    // One sign bit plus the magnitude bits of the value, or of its complement when negative.
    const uint32_t magnitude = value < 0 ? ~uint32_t(value) : uint32_t(value);
    return unsignedBits(magnitude) + 1;
}

int signedBits(std::initializer_list<int32_t> values)
{
    int bits = 0;
    for (int32_t v : values)
        bits = std::max(bits, signedBits(v));
    return bits;
}

int32_t toFixed16(double value)
{
    return int32_t(std::lround(value * 65536.0));
}

} // namespace swfgen
