#include "tools/lib/sound_tones.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace tools {
namespace {

constexpr double kFullScale = 32767.0;
constexpr int kFirstStepHertz = 200;
constexpr int kStepHertz = 100;

}  // namespace

PcmSound SineTone(int channels, int rate, double hertz, double seconds, double amplitude) {
    PcmSound sound{channels, rate, {}};
    const int frames = static_cast<int>(seconds * rate);
    sound.samples.reserve(static_cast<std::size_t>(frames * channels));
    for (int frame = 0; frame < frames; ++frame) {
        const double phase = 2 * std::numbers::pi * hertz * frame / rate;
        for (int channel = 0; channel < channels; ++channel) {
            const double value = std::sin(phase + channel * std::numbers::pi / 2);
            sound.samples.push_back(
                static_cast<std::int16_t>(std::lround(value * amplitude * kFullScale)));
        }
    }
    return sound;
}

PcmSound SteppedTone(int channels, int rate, int seconds) {
    PcmSound sound{channels, rate, {}};
    double phase = 0;
    for (int second = 0; second < seconds; ++second) {
        const double hertz = kFirstStepHertz + kStepHertz * second;
        for (int frame = 0; frame < rate; ++frame) {
            const auto value =
                static_cast<std::int16_t>(std::lround(std::sin(phase) * 0.5 * kFullScale));
            for (int channel = 0; channel < channels; ++channel) {
                sound.samples.push_back(value);
            }
            phase += 2 * std::numbers::pi * hertz / rate;
        }
    }
    return sound;
}

double MeasurePitch(const std::vector<std::int16_t>& interleaved, int channels, int rate,
                    std::size_t first, std::size_t count) {
    int crossings = 0;
    for (std::size_t frame = first + 1; frame < first + count; ++frame) {
        const std::size_t at = frame * static_cast<std::size_t>(channels);
        if (at >= interleaved.size()) {
            break;
        }
        if (interleaved[at - static_cast<std::size_t>(channels)] < 0 && interleaved[at] >= 0) {
            ++crossings;
        }
    }
    return crossings * static_cast<double>(rate) / static_cast<double>(count);
}

int PeakOf(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

}  // namespace tools
