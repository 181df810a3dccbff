// Generated sound samples.
#pragma once

#include <cstdint>
#include <vector>

namespace swfgen {

// A sine tone of whole cycles, so it loops without a click: the length is rounded to the
// nearest whole number of cycles. amplitude is 0..1 of full scale.
std::vector<int16_t> sineTone(double hertz, double seconds, int sampleRate, double amplitude);

} // namespace swfgen
