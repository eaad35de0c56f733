#pragma once

// RIFF/WAVE files of our own tones: PCM and the compressed codings the player decodes. Each
// gives the whole file image.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/lib/sound_tones.h"

namespace tools {

enum class WavCoding {
    kPcm8,
    kPcm16,
    kImaAdpcm,
    kMsAdpcm,
    kALaw,
    kMuLaw,
};

struct WavOptions {
    WavCoding coding = WavCoding::kPcm16;
    // PCM: an 18-byte "fmt " chunk (with its extra size) in place of the 16-byte one.
    bool long_format = false;
    // ADPCM: bytes per block (per channel block for IMA and MS: the whole block).
    int block_align = 1024;
    // A chunk of this odd size placed between "fmt " and "data" (0: none).
    int list_chunk_size = 0;
};

std::vector<std::uint8_t> WriteWav(const PcmSound& sound, const WavOptions& options = {});

// A RIFF/WAVE image with the given "fmt " chunk bytes and data bytes, as they stand.
std::vector<std::uint8_t> WriteRawWav(const std::vector<std::uint8_t>& format_chunk,
                                      const std::vector<std::uint8_t>& data);

// The codings one by one; their results are the data chunk's bytes.
std::vector<std::uint8_t> EncodeImaAdpcm(const PcmSound& sound, int block_align);
std::vector<std::uint8_t> EncodeMsAdpcm(const PcmSound& sound, int block_align);
std::uint8_t EncodeALaw(std::int16_t sample);
std::uint8_t EncodeMuLaw(std::int16_t sample);

int ImaSamplesPerBlock(int block_align, int channels);
int MsSamplesPerBlock(int block_align, int channels);

// Little-endian byte appenders shared by the sound writers.
void PutU16(std::vector<std::uint8_t>& out, unsigned value);
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutTag(std::vector<std::uint8_t>& out, const char* tag);

}  // namespace tools
