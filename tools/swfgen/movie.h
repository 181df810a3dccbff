// A whole SWF movie: header, a list of tags, character ids handed out in order.
#pragma once

#include "tags.h"

namespace swfgen {

class Movie {
public:
    Movie(int widthPixels, int heightPixels, double frameRate, uint8_t version = 8);

    uint16_t newCharacterId() { return nextId_++; }
    void add(Bytes tag) { tags_.push_back(std::move(tag)); }
    // Ends the current frame.
    void showFrame();

    int width() const { return width_; }
    int height() const { return height_; }
    uint16_t frameCount() const { return frames_; }

    // The uncompressed ("FWS") file; End is appended here.
    Bytes encode() const;

private:
    int width_, height_;
    double frameRate_;
    uint8_t version_;
    uint16_t frames_ = 0;
    uint16_t nextId_ = 1;
    std::vector<Bytes> tags_;
};

} // namespace swfgen
