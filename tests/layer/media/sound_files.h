#pragma once

// Decoding sound file images whole in tests, and the outside tools (sox, lame) that give
// second opinions and MP3 files of our tones.

#include <cstdint>
#include <string>
#include <vector>

#include "layer/media/pcm_decoder.h"
#include "tools/lib/sound_tones.h"

namespace test {

using SoundBytes = std::vector<std::uint8_t>;

struct DecodedSound {
    int result = -1;
    layer::WaveFormat format;
    std::vector<std::uint8_t> pcm;

    // The PCM as 16-bit samples.
    std::vector<std::int16_t> Samples() const;
};

// Opens a PcmDecoder over the image in a memory stream and decodes it whole.
DecodedSound DecodeWhole(const SoundBytes& image);

// A PcmDecoder over an image it keeps, closed with the object.
class OpenDecoder {
  public:
    explicit OpenDecoder(const SoundBytes& image);
    ~OpenDecoder();
    OpenDecoder(const OpenDecoder&) = delete;
    OpenDecoder& operator=(const OpenDecoder&) = delete;

    int result() const { return result_; }
    layer::PcmDecoder& decoder() { return decoder_; }
    // Reads up to `count` bytes.
    std::vector<std::uint8_t> Read(int count);

  private:
    SoundBytes image_;
    layer::StreamValue stream_ = 0;
    layer::PcmDecoder decoder_;
    int result_ = -1;
};

// The file decoded by sox to 16-bit samples; empty when sox fails.
std::vector<std::int16_t> DecodeWithSox(const SoundBytes& file, const std::string& type);
// Our tone encoded by lame at a constant bit rate; empty when lame fails.
SoundBytes EncodeWithLame(const tools::PcmSound& sound, int kilobits);

// The root mean square of the difference, over the shorter length.
double RmsDifference(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b);

}  // namespace test
