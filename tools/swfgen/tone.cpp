#include "tone.h"

#include <cmath>
#include <stdexcept>

namespace swfgen {

std::vector<int16_t> sineTone(double hertz, double seconds, int sampleRate, double amplitude)
{
    if (hertz <= 0 || seconds <= 0 || sampleRate <= 0 || amplitude < 0 || amplitude > 1)
        throw std::invalid_argument("bad tone parameters");
    const double cycles = std::max(1.0, std::round(hertz * seconds));
    const size_t count = size_t(std::lround(cycles * sampleRate / hertz));
    std::vector<int16_t> samples(count);
    const double step = 2 * 3.14159265358979323846 * cycles / double(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = int16_t(std::lround(32767.0 * amplitude * std::sin(step * double(i))));
    return samples;
}

} // namespace swfgen
