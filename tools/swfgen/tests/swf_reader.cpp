#include "swf_reader.h"

#include <set>
#include <stdexcept>

namespace swfgen::testing {

namespace {

uint16_t u16(const Bytes& d, size_t at)
{
    if (at + 2 > d.size())
        throw std::runtime_error("truncated u16");
    return uint16_t(d[at] | d[at + 1] << 8);
}

uint32_t u32(const Bytes& d, size_t at)
{
    return uint32_t(u16(d, at)) | uint32_t(u16(d, at + 2)) << 16;
}

class BitReader {
public:
    BitReader(const Bytes& d, size_t start) : data_(d), bit_(start * 8) {}
    uint32_t ub(int bits)
    {
        uint32_t v = 0;
        for (int i = 0; i < bits; ++i, ++bit_) {
            if (bit_ / 8 >= data_.size())
                throw std::runtime_error("truncated bit field");
            v = v << 1 | ((data_[bit_ / 8] >> (7 - bit_ % 8)) & 1u);
        }
        return v;
    }
    int32_t sb(int bits)
    {
        const uint32_t v = ub(bits);
        if (bits > 0 && bits < 32 && (v >> (bits - 1)))
            return int32_t(v | ~((1u << bits) - 1));
        return int32_t(v);
    }
    size_t nextByte() const { return (bit_ + 7) / 8; }

private:
    const Bytes& data_;
    size_t bit_;
};

} // namespace

Rect readRect(const Bytes& data, size_t start, size_t* end)
{
    BitReader r(data, start);
    const int bits = int(r.ub(5));
    Rect rect;
    rect.xMin = r.sb(bits);
    rect.xMax = r.sb(bits);
    rect.yMin = r.sb(bits);
    rect.yMax = r.sb(bits);
    if (end)
        *end = r.nextByte();
    return rect;
}

std::vector<TagRecord> parseTags(const Bytes& data, size_t at)
{
    std::vector<TagRecord> tags;
    while (true) {
        const uint16_t header = u16(data, at);
        at += 2;
        const uint16_t code = header >> 6;
        uint32_t length = header & 0x3F;
        if (length == 0x3F) {
            length = u32(data, at);
            at += 4;
        }
        if (at + length > data.size())
            throw std::runtime_error("tag runs past the end");
        if (code == 0) {
            if (at != data.size())
                throw std::runtime_error("bytes after End");
            return tags;
        }
        tags.push_back({code, Bytes(data.begin() + long(at), data.begin() + long(at + length))});
        at += length;
    }
}

ParsedMovie parseMovie(const Bytes& file)
{
    if (file.size() < 8 || file[0] != 'F' || file[1] != 'W' || file[2] != 'S')
        throw std::runtime_error("not an uncompressed SWF");
    if (u32(file, 4) != file.size())
        throw std::runtime_error("header length differs from the file size");
    ParsedMovie movie;
    movie.version = file[3];
    size_t at = 0;
    movie.frameSize = readRect(file, 8, &at);
    movie.frameRate = u16(file, at) / 256.0;
    movie.frameCount = u16(file, at + 2);
    movie.tags = parseTags(file, at + 4);
    return movie;
}

std::vector<Action> parseActions(const Bytes& body)
{
    std::vector<Action> actions;
    std::set<size_t> starts;
    size_t at = 0;
    while (true) {
        if (at >= body.size())
            throw std::runtime_error("actions without an end byte");
        const uint8_t code = body[at];
        starts.insert(at);
        if (code == 0) {
            if (at + 1 != body.size())
                throw std::runtime_error("bytes after the end of actions");
            break;
        }
        Action action{at, code, {}};
        ++at;
        if (code >= 0x80) {
            const uint16_t length = u16(body, at);
            at += 2;
            if (at + length > body.size())
                throw std::runtime_error("action operands run past the end");
            action.operands.assign(body.begin() + long(at), body.begin() + long(at + length));
            at += length;
        }
        actions.push_back(std::move(action));
    }
    for (const Action& a : actions) {
        if (a.code != 0x99 && a.code != 0x9D)
            continue;
        const int16_t offset = int16_t(u16(a.operands, 0));
        const long target = long(a.offset + 5) + offset;
        if (target < 0 || !starts.count(size_t(target)))
            throw std::runtime_error("branch lands between actions");
    }
    return actions;
}

} // namespace swfgen::testing
