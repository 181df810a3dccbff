// A minimal SWF reader for the tests: it checks the framing the generator writes (header
// length, tag lengths, End tags, action lengths and branch targets) independently of the
// writer's code.
#pragma once

#include "bit_writer.h"
#include "records.h"

#include <string>

namespace swfgen::testing {

struct TagRecord {
    uint16_t code;
    Bytes body;
};

struct ParsedMovie {
    uint8_t version = 0;
    Rect frameSize;
    double frameRate = 0;
    uint16_t frameCount = 0;
    std::vector<TagRecord> tags;   // up to, not including, End
};

// Throws std::runtime_error with a reason when the data is not a well-framed FWS movie.
ParsedMovie parseMovie(const Bytes& file);
// The tags of a body holding a tag list that ends with End (a movie's or a sprite's).
std::vector<TagRecord> parseTags(const Bytes& data, size_t start);

struct Action {
    size_t offset;
    uint8_t code;
    Bytes operands;
};
// Walks DoAction bytes up to the end byte; throws when an action runs past the end or a
// branch lands between actions.
std::vector<Action> parseActions(const Bytes& doActionBody);

// Reads a RECT at `start`; `end` receives the position of the byte after it.
Rect readRect(const Bytes& data, size_t start, size_t* end = nullptr);

} // namespace swfgen::testing
