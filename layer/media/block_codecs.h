#pragma once

// The block codings of RIFF/WAVE data that our own decoders read: each block decodes on its
// own into 16-bit PCM.

#include <cstdint>

namespace layer {

constexpr int kMaxAdpcmCoefficients = 256;

// What a decoder needs of the source format.
struct BlockFormat {
    int channels = 0;
    int rate = 0;
    int block_align = 0;
    int samples_per_block = 0;
    int coefficient_count = 0;
    std::int16_t coefficients[kMaxAdpcmCoefficients][2] = {};
};

struct BlockCodec {
    std::uint16_t tag;
    // Fills the decoder's fields from the format block (`size` bytes, the extra bytes
    // included); false when they cannot describe data of this coding.
    bool (*read_format)(const std::uint8_t* format, int size, BlockFormat* out);
    // Decodes one block of `bytes` bytes (a whole block, or the shorter last one); returns the
    // frames written, 0 when the bytes hold no frame.
    int (*decode_block)(const BlockFormat& format, const std::uint8_t* block, int bytes,
                        std::int16_t* out);
};

extern const BlockCodec kMsAdpcmCodec;
extern const BlockCodec kImaAdpcmCodec;
extern const BlockCodec kALawCodec;
extern const BlockCodec kMuLawCodec;

// Reads the fields every block coding shares (tag, channels 1 or 2, rate, block align); false
// when the format is shorter than its 16 bytes or they are out of range.
bool ReadCommonBlockFormat(const std::uint8_t* format, int size, BlockFormat* out);

// The codec of a format tag, or null.
const BlockCodec* FindBlockCodec(std::uint16_t tag);

// The G.711 companding laws.
std::int16_t DecodeALawSample(std::uint8_t code);
std::int16_t DecodeMuLawSample(std::uint8_t code);

}  // namespace layer
