#include "layer/media/block_codecs.h"

#include "layer/media/pcm_converter.h"

namespace layer {
namespace {

// One byte per sample; a block is one frame.
bool ReadG711Format(const std::uint8_t* format, int size, BlockFormat* out) {
    if (!ReadCommonBlockFormat(format, size, out) || out->block_align != out->channels) {
        return false;
    }
    out->samples_per_block = 1;
    return true;
}

template <std::int16_t (*Decode)(std::uint8_t)>
int DecodeG711Block(const BlockFormat& format, const std::uint8_t* block, int bytes,
                    std::int16_t* out) {
    if (bytes < format.channels) {
        return 0;
    }
    for (int channel = 0; channel < format.channels; ++channel) {
        out[channel] = Decode(block[channel]);
    }
    return 1;
}

}  // namespace

std::int16_t DecodeMuLawSample(std::uint8_t code) {
    const int inverted = ~code & 0xFF;
    const int exponent = (inverted >> 4) & 7;
    const int mantissa = inverted & 0x0F;
    const int magnitude = (((mantissa << 3) + 0x84) << exponent) - 0x84;
    return static_cast<std::int16_t>((inverted & 0x80) != 0 ? -magnitude : magnitude);
}

std::int16_t DecodeALawSample(std::uint8_t code) {
    const int toggled = code ^ 0x55;
    const int exponent = (toggled >> 4) & 7;
    const int mantissa = toggled & 0x0F;
    const int magnitude =
        exponent == 0 ? (mantissa << 4) + 8 : ((mantissa << 4) + 0x108) << (exponent - 1);
    return static_cast<std::int16_t>((toggled & 0x80) != 0 ? magnitude : -magnitude);
}

const BlockCodec kALawCodec = {kALawTag, ReadG711Format, DecodeG711Block<DecodeALawSample>};
const BlockCodec kMuLawCodec = {kMuLawTag, ReadG711Format, DecodeG711Block<DecodeMuLawSample>};

}  // namespace layer
