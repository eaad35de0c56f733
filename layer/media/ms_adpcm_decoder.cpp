#include <algorithm>

#include "layer/media/block_codecs.h"
#include "layer/media/little_endian.h"
#include "layer/media/pcm_converter.h"

namespace layer {
namespace {

// Per channel: predictor index (1 byte), delta, newer and older sample (2 bytes each).
constexpr int kHeaderBytesPerChannel = 7;
// The extra bytes before the coefficient pairs: samples per block and the pair count.
constexpr int kExtraHeadBytes = 4;
constexpr int kFormatHeadBytes = 18;
constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                 768, 614, 512, 409, 307, 230, 230, 230};

bool ReadMsAdpcmFormat(const std::uint8_t* format, int size, BlockFormat* out) {
    if (!ReadCommonBlockFormat(format, size, out) ||
        out->block_align < kHeaderBytesPerChannel * out->channels + 1 ||
        size < kFormatHeadBytes + kExtraHeadBytes) {
        return false;
    }
    // The extra bytes as far as the block holds them.
    const int extra = std::min<int>(ReadLe16(format + 16), size - kFormatHeadBytes);
    const int declared_samples = ReadLe16(format + kFormatHeadBytes);
    const int pairs = ReadLe16(format + kFormatHeadBytes + 2);
    if (pairs < 1 || pairs > kMaxAdpcmCoefficients || extra < kExtraHeadBytes + 4 * pairs) {
        return false;
    }
    for (int pair = 0; pair < pairs; ++pair) {
        const std::uint8_t* at = format + kFormatHeadBytes + kExtraHeadBytes + 4 * pair;
        out->coefficients[pair][0] = static_cast<std::int16_t>(ReadLe16(at));
        out->coefficients[pair][1] = static_cast<std::int16_t>(ReadLe16(at + 2));
    }
    out->coefficient_count = pairs;
    const int fitting =
        (out->block_align - kHeaderBytesPerChannel * out->channels) * 2 / out->channels + 2;
    out->samples_per_block =
        declared_samples >= 2 && declared_samples <= fitting ? declared_samples : fitting;
    return true;
}

struct ChannelState {
    int coefficient1 = 0;
    int coefficient2 = 0;
    int delta = 0;
    int sample1 = 0;
    int sample2 = 0;

    std::int16_t Decode(int nibble) {
        const int predicted = (sample1 * coefficient1 + sample2 * coefficient2) >> 8;
        const int signed_nibble = nibble >= 8 ? nibble - 16 : nibble;
        const int sample = std::clamp(predicted + signed_nibble * delta, -32768, 32767);
        delta = std::max(16, (kAdaptation[nibble] * delta) >> 8);
        sample2 = sample1;
        sample1 = sample;
        return static_cast<std::int16_t>(sample);
    }
};

// The older header sample comes out first, then the newer one, then one sample per nibble,
// high nibble first, the channels taking turns.
int DecodeMsAdpcmBlock(const BlockFormat& format, const std::uint8_t* block, int bytes,
                       std::int16_t* out) {
    const int channels = format.channels;
    if (bytes < kHeaderBytesPerChannel * channels) {
        return 0;
    }
    ChannelState states[2];
    for (int channel = 0; channel < channels; ++channel) {
        ChannelState& state = states[channel];
        const int index = block[channel];
        if (index >= format.coefficient_count) {
            return 0;
        }
        state.coefficient1 = format.coefficients[index][0];
        state.coefficient2 = format.coefficients[index][1];
        state.delta = static_cast<std::int16_t>(ReadLe16(block + channels + 2 * channel));
        state.sample1 = static_cast<std::int16_t>(ReadLe16(block + 3 * channels + 2 * channel));
        state.sample2 = static_cast<std::int16_t>(ReadLe16(block + 5 * channels + 2 * channel));
        out[channel] = static_cast<std::int16_t>(state.sample2);
        out[channels + channel] = static_cast<std::int16_t>(state.sample1);
    }
    const int nibbles = (bytes - kHeaderBytesPerChannel * channels) * 2;
    const int frames = std::min(format.samples_per_block, 2 + nibbles / channels);
    const std::uint8_t* data = block + kHeaderBytesPerChannel * channels;
    for (int nibble = 0; nibble < (frames - 2) * channels; ++nibble) {
        const int code = nibble % 2 == 0 ? data[nibble / 2] >> 4 : data[nibble / 2] & 0x0F;
        out[2 * channels + nibble] = states[nibble % channels].Decode(code);
    }
    return frames;
}

}  // namespace

const BlockCodec kMsAdpcmCodec = {kMsAdpcmTag, ReadMsAdpcmFormat, DecodeMsAdpcmBlock};

}  // namespace layer
