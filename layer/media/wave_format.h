#pragma once

#include <cstdint>

#include "platform/audio/audio_mixer.h"

namespace layer {

constexpr std::uint16_t kWavePcmTag = 1;
// The size of the format as the files and the comparisons of stream sources know it.
constexpr int kWaveFormatBytes = 18;

// The format block of RIFF/WAVE sound data.
struct WaveFormat {
    std::uint16_t format_tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::uint32_t average_bytes_per_second = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits_per_sample = 0;
    std::uint16_t extra_size = 0;
};

// Reads the first `size` bytes (at most 18) of a format block over a zeroed format.
WaveFormat ReadWaveFormat(const std::uint8_t* bytes, int size);
// The 18 bytes of the format.
void WriteWaveFormat(const WaveFormat& format, std::uint8_t* bytes);
// Byte for byte over the 18 bytes.
bool SameWaveFormat(const WaveFormat& a, const WaveFormat& b);
// 16-bit PCM of this rate and channel count.
WaveFormat Pcm16Format(int channels, int samples_per_second);
// True for PCM that a playback buffer can hold: 1 or 2 channels of 8 or 16 bits, a rate the
// mixer plays, and a block align of channels × bits / 8.
bool IsPlayablePcm(const WaveFormat& format);
platform::PcmFormat MixerFormatOf(const WaveFormat& format);

}  // namespace layer
