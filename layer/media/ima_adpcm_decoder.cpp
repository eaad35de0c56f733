#include <algorithm>

#include "layer/media/block_codecs.h"
#include "layer/media/little_endian.h"
#include "layer/media/pcm_converter.h"

namespace layer {
namespace {

// Per channel: the first sample (2 bytes), the step index and a reserved byte.
constexpr int kHeaderBytesPerChannel = 4;
// A run: 4 bytes of one channel, 8 samples.
constexpr int kRunBytes = 4;
constexpr int kStepCount = 89;
constexpr int kSteps[kStepCount] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int kIndexSteps[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

bool ReadImaAdpcmFormat(const std::uint8_t* format, int size, BlockFormat* out) {
    if (!ReadCommonBlockFormat(format, size, out)) {
        return false;
    }
    const int header = kHeaderBytesPerChannel * out->channels;
    // Stereo data is whole runs of both channels.
    if (out->block_align <= header ||
        (out->channels == 2 && (out->block_align - header) % (2 * kRunBytes) != 0)) {
        return false;
    }
    out->samples_per_block = (out->block_align - header) * 2 / out->channels + 1;
    return true;
}

struct ChannelState {
    int predictor = 0;
    int index = 0;

    std::int16_t Decode(int nibble) {
        const int step = kSteps[index];
        int change = step >> 3;
        if ((nibble & 4) != 0) {
            change += step;
        }
        if ((nibble & 2) != 0) {
            change += step >> 1;
        }
        if ((nibble & 1) != 0) {
            change += step >> 2;
        }
        predictor =
            std::clamp((nibble & 8) != 0 ? predictor - change : predictor + change, -32768, 32767);
        index = std::clamp(index + kIndexSteps[nibble], 0, kStepCount - 1);
        return static_cast<std::int16_t>(predictor);
    }
};

// The header sample first; then runs of 4 bytes per channel in turn, each 8 samples, low
// nibble first (mono data is one run after another).
int DecodeImaAdpcmBlock(const BlockFormat& format, const std::uint8_t* block, int bytes,
                        std::int16_t* out) {
    const int channels = format.channels;
    if (bytes < kHeaderBytesPerChannel * channels) {
        return 0;
    }
    ChannelState states[2];
    for (int channel = 0; channel < channels; ++channel) {
        const std::uint8_t* header = block + kHeaderBytesPerChannel * channel;
        states[channel].predictor = static_cast<std::int16_t>(ReadLe16(header));
        states[channel].index = std::min<int>(header[2], kStepCount - 1);
        out[channel] = static_cast<std::int16_t>(states[channel].predictor);
    }
    const std::uint8_t* data = block + kHeaderBytesPerChannel * channels;
    const int group = kRunBytes * channels;
    // Stereo decodes whole runs of both channels only.
    int data_bytes = bytes - kHeaderBytesPerChannel * channels;
    data_bytes = std::min(data_bytes, format.block_align - kHeaderBytesPerChannel * channels);
    if (channels == 2) {
        data_bytes -= data_bytes % group;
    }
    for (int k = 0; k < data_bytes; ++k) {
        const int channel = (k / kRunBytes) % channels;
        const int first = ((k / group) * kRunBytes + k % kRunBytes) * 2;
        ChannelState& state = states[channel];
        out[(1 + first) * channels + channel] = state.Decode(data[k] & 0x0F);
        out[(2 + first) * channels + channel] = state.Decode(data[k] >> 4);
    }
    return 1 + data_bytes * 2 / channels;
}

}  // namespace

const BlockCodec kImaAdpcmCodec = {kImaAdpcmTag, ReadImaAdpcmFormat, DecodeImaAdpcmBlock};

}  // namespace layer
