#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// 16-bit PCM, channels interleaved.
struct PcmSound {
    int channels = 1;
    int rate = 44100;
    std::vector<std::int16_t> samples;

    int Frames() const { return static_cast<int>(samples.size()) / channels; }
};

// A sine of `hertz` at `amplitude` (of full scale) on every channel; the right channel of a
// stereo tone is a quarter period ahead, so the channels differ.
PcmSound SineTone(int channels, int rate, double hertz, double seconds, double amplitude);

// A tone whose pitch steps every second: 200 Hz in second 0, then 100 Hz higher each second,
// so the pitch of any stretch names the second it comes from.
PcmSound SteppedTone(int channels, int rate, int seconds);

// Zero crossings upward per second over the frames [first, first + count) of channel 0: the
// pitch of a plain tone.
double MeasurePitch(const std::vector<std::int16_t>& interleaved, int channels, int rate,
                    std::size_t first, std::size_t count);

// The largest absolute sample.
int PeakOf(const std::vector<std::int16_t>& samples);

}  // namespace tools
