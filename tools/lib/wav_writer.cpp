#include "tools/lib/wav_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tools {
namespace {

constexpr int kImaStepCount = 89;
constexpr std::array<int, kImaStepCount> kImaSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr std::array<int, 16> kImaIndexSteps = {-1, -1, -1, -1, 2, 4, 6, 8,
                                                -1, -1, -1, -1, 2, 4, 6, 8};

constexpr int kMsCoefficientCount = 7;
constexpr int kMsCoefficients[kMsCoefficientCount][2] = {
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
constexpr std::array<int, 16> kMsAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                               768, 614, 512, 409, 307, 230, 230, 230};

int Clamp16(int value) {
    return std::clamp(value, -32768, 32767);
}

struct ImaChannel {
    int predictor = 0;
    int index = 0;

    int Encode(int sample) {
        const int step = kImaSteps[static_cast<std::size_t>(index)];
        int difference = sample - predictor;
        int nibble = 0;
        if (difference < 0) {
            nibble = 8;
            difference = -difference;
        }
        int change = step >> 3;
        if (difference >= step) {
            nibble |= 4;
            difference -= step;
            change += step;
        }
        if (difference >= step >> 1) {
            nibble |= 2;
            difference -= step >> 1;
            change += step >> 1;
        }
        if (difference >= step >> 2) {
            nibble |= 1;
            change += step >> 2;
        }
        predictor = Clamp16((nibble & 8) != 0 ? predictor - change : predictor + change);
        index = std::clamp(index + kImaIndexSteps[static_cast<std::size_t>(nibble)], 0,
                           kImaStepCount - 1);
        return nibble;
    }
};

// The sample of a frame and channel, or silence past the end (the last block is padded).
int SampleAt(const PcmSound& sound, int frame, int channel) {
    const std::size_t at = static_cast<std::size_t>(frame * sound.channels + channel);
    return at < sound.samples.size() ? sound.samples[at] : 0;
}

struct MsChannel {
    int coefficient = 0;
    int delta = 16;
    int sample1 = 0;
    int sample2 = 0;

    int Encode(int sample) {
        const int* pair = kMsCoefficients[coefficient];
        const int predicted = (sample1 * pair[0] + sample2 * pair[1]) >> 8;
        const int error = sample - predicted;
        const int rounded =
            error >= 0 ? (error + delta / 2) / delta : -((-error + delta / 2) / delta);
        const int nibble = std::clamp(rounded, -8, 7);
        sample2 = sample1;
        sample1 = Clamp16(predicted + nibble * delta);
        delta = std::max(16, (kMsAdaptation[static_cast<std::size_t>(nibble & 15)] * delta) >> 8);
        return nibble & 15;
    }
};

// The squared error of coding one channel of a block with a coefficient pair.
long long MsBlockError(const PcmSound& sound, int first, int samples, int channel, int pair,
                       int delta) {
    MsChannel coder{pair, delta, SampleAt(sound, first + 1, channel),
                    SampleAt(sound, first, channel)};
    long long error = 0;
    for (int i = 2; i < samples; ++i) {
        const int sample = SampleAt(sound, first + i, channel);
        coder.Encode(sample);
        const long long off = sample - coder.sample1;
        error += off * off;
    }
    return error;
}

std::vector<std::uint8_t> FormatChunk(int tag, int channels, int rate, int average, int align,
                                      int bits) {
    std::vector<std::uint8_t> chunk;
    PutU16(chunk, static_cast<unsigned>(tag));
    PutU16(chunk, static_cast<unsigned>(channels));
    PutU32(chunk, static_cast<std::uint32_t>(rate));
    PutU32(chunk, static_cast<std::uint32_t>(average));
    PutU16(chunk, static_cast<unsigned>(align));
    PutU16(chunk, static_cast<unsigned>(bits));
    return chunk;
}

std::vector<std::uint8_t> PcmData(const PcmSound& sound, int bits) {
    std::vector<std::uint8_t> data;
    for (const std::int16_t sample : sound.samples) {
        if (bits == 8) {
            data.push_back(static_cast<std::uint8_t>((sample >> 8) + 128));
        } else {
            PutU16(data, static_cast<std::uint16_t>(sample));
        }
    }
    return data;
}

std::vector<std::uint8_t> G711Data(const PcmSound& sound, std::uint8_t (*encode)(std::int16_t)) {
    std::vector<std::uint8_t> data;
    for (const std::int16_t sample : sound.samples) {
        data.push_back(encode(sample));
    }
    return data;
}

}  // namespace

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

int ImaSamplesPerBlock(int block_align, int channels) {
    return (block_align - 4 * channels) * 8 / (4 * channels) + 1;
}

int MsSamplesPerBlock(int block_align, int channels) {
    return (block_align - 7 * channels) * 8 / (4 * channels) + 2;
}

std::vector<std::uint8_t> EncodeImaAdpcm(const PcmSound& sound, int block_align) {
    const int channels = sound.channels;
    const int per_block = ImaSamplesPerBlock(block_align, channels);
    std::vector<std::uint8_t> data;
    std::vector<ImaChannel> coders(static_cast<std::size_t>(channels));
    for (int first = 0; first < sound.Frames(); first += per_block) {
        for (int channel = 0; channel < channels; ++channel) {
            ImaChannel& coder = coders[static_cast<std::size_t>(channel)];
            coder.predictor = SampleAt(sound, first, channel);
            PutU16(data, static_cast<std::uint16_t>(coder.predictor));
            data.push_back(static_cast<std::uint8_t>(coder.index));
            data.push_back(0);
        }
        // Runs of 8 samples per channel, 4 bytes each, low nibble first.
        for (int run = 1; run < per_block; run += 8) {
            for (int channel = 0; channel < channels; ++channel) {
                ImaChannel& coder = coders[static_cast<std::size_t>(channel)];
                for (int pair = 0; pair < 8; pair += 2) {
                    const int low = coder.Encode(SampleAt(sound, first + run + pair, channel));
                    const int high = coder.Encode(SampleAt(sound, first + run + pair + 1, channel));
                    data.push_back(static_cast<std::uint8_t>(low | high << 4));
                }
            }
        }
    }
    return data;
}

std::vector<std::uint8_t> EncodeMsAdpcm(const PcmSound& sound, int block_align) {
    const int channels = sound.channels;
    const int per_block = MsSamplesPerBlock(block_align, channels);
    std::vector<std::uint8_t> data;
    for (int first = 0; first < sound.Frames(); first += per_block) {
        std::vector<MsChannel> coders(static_cast<std::size_t>(channels));
        for (int channel = 0; channel < channels; ++channel) {
            MsChannel& coder = coders[static_cast<std::size_t>(channel)];
            coder.delta = std::max(16, std::abs(SampleAt(sound, first + 2, channel) -
                                                SampleAt(sound, first + 1, channel)) /
                                           4);
            long long best = std::numeric_limits<long long>::max();
            for (int pair = 0; pair < kMsCoefficientCount; ++pair) {
                const long long error =
                    MsBlockError(sound, first, per_block, channel, pair, coder.delta);
                if (error < best) {
                    best = error;
                    coder.coefficient = pair;
                }
            }
            coder.sample1 = SampleAt(sound, first + 1, channel);
            coder.sample2 = SampleAt(sound, first, channel);
        }
        for (const MsChannel& coder : coders) {
            data.push_back(static_cast<std::uint8_t>(coder.coefficient));
        }
        for (const MsChannel& coder : coders) {
            PutU16(data, static_cast<std::uint16_t>(coder.delta));
        }
        for (const MsChannel& coder : coders) {
            PutU16(data, static_cast<std::uint16_t>(coder.sample1));
        }
        for (const MsChannel& coder : coders) {
            PutU16(data, static_cast<std::uint16_t>(coder.sample2));
        }
        // Nibbles high first, the channels taking turns.
        int pending = -1;
        for (int i = 2; i < per_block; ++i) {
            for (int channel = 0; channel < channels; ++channel) {
                const int nibble = coders[static_cast<std::size_t>(channel)].Encode(
                    SampleAt(sound, first + i, channel));
                if (pending < 0) {
                    pending = nibble << 4;
                } else {
                    data.push_back(static_cast<std::uint8_t>(pending | nibble));
                    pending = -1;
                }
            }
        }
        if (pending >= 0) {
            data.push_back(static_cast<std::uint8_t>(pending));
        }
    }
    return data;
}

std::uint8_t EncodeMuLaw(std::int16_t sample) {
    constexpr int kBias = 0x84;
    constexpr int kClip = 32635;
    int value = sample;
    const int sign = value < 0 ? 0x80 : 0;
    value = std::min(std::abs(value), kClip) + kBias;
    int exponent = 7;
    for (int mask = 0x4000; (value & mask) == 0 && exponent > 0; mask >>= 1) {
        --exponent;
    }
    const int mantissa = (value >> (exponent + 3)) & 0x0F;
    return static_cast<std::uint8_t>(~(sign | exponent << 4 | mantissa));
}

std::uint8_t EncodeALaw(std::int16_t sample) {
    int value = sample;
    const int sign = value >= 0 ? 0x80 : 0;
    value = std::min(value >= 0 ? value : -value - 1, 32767) >> 3;
    int code = 0;
    if (value < 32) {
        code = value >> 1;
    } else {
        int exponent = 1;
        while (exponent < 7 && value >= (64 << (exponent - 1))) {
            ++exponent;
        }
        code = exponent << 4 | ((value >> exponent) & 0x0F);
    }
    return static_cast<std::uint8_t>((sign | code) ^ 0x55);
}

std::vector<std::uint8_t> WriteRawWav(const std::vector<std::uint8_t>& format_chunk,
                                      const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> file;
    PutTag(file, "RIFF");
    PutU32(file, 0);
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    PutU32(file, static_cast<std::uint32_t>(format_chunk.size()));
    file.insert(file.end(), format_chunk.begin(), format_chunk.end());
    if (format_chunk.size() % 2 != 0) {
        file.push_back(0);
    }
    PutTag(file, "data");
    PutU32(file, static_cast<std::uint32_t>(data.size()));
    file.insert(file.end(), data.begin(), data.end());
    const auto riff_size = static_cast<std::uint32_t>(file.size() - 8);
    std::memcpy(file.data() + 4, &riff_size, 4);
    return file;
}

std::vector<std::uint8_t> WriteWav(const PcmSound& sound, const WavOptions& options) {
    const int channels = sound.channels;
    const int rate = sound.rate;
    std::vector<std::uint8_t> format;
    std::vector<std::uint8_t> data;
    switch (options.coding) {
        case WavCoding::kPcm8:
        case WavCoding::kPcm16: {
            const int bits = options.coding == WavCoding::kPcm8 ? 8 : 16;
            const int align = channels * bits / 8;
            format = FormatChunk(1, channels, rate, rate * align, align, bits);
            if (options.long_format) {
                PutU16(format, 0);
            }
            data = PcmData(sound, bits);
            break;
        }
        case WavCoding::kImaAdpcm: {
            const int per_block = ImaSamplesPerBlock(options.block_align, channels);
            format = FormatChunk(0x11, channels, rate, rate * options.block_align / per_block,
                                 options.block_align, 4);
            PutU16(format, 2);
            PutU16(format, static_cast<unsigned>(per_block));
            data = EncodeImaAdpcm(sound, options.block_align);
            break;
        }
        case WavCoding::kMsAdpcm: {
            const int per_block = MsSamplesPerBlock(options.block_align, channels);
            format = FormatChunk(2, channels, rate, rate * options.block_align / per_block,
                                 options.block_align, 4);
            PutU16(format, 4 + 4 * kMsCoefficientCount);
            PutU16(format, static_cast<unsigned>(per_block));
            PutU16(format, kMsCoefficientCount);
            for (const auto& pair : kMsCoefficients) {
                PutU16(format, static_cast<std::uint16_t>(pair[0]));
                PutU16(format, static_cast<std::uint16_t>(pair[1]));
            }
            data = EncodeMsAdpcm(sound, options.block_align);
            break;
        }
        case WavCoding::kALaw:
        case WavCoding::kMuLaw: {
            const bool a_law = options.coding == WavCoding::kALaw;
            format = FormatChunk(a_law ? 6 : 7, channels, rate, rate * channels, channels, 8);
            PutU16(format, 0);
            data = G711Data(sound, a_law ? EncodeALaw : EncodeMuLaw);
            break;
        }
    }
    std::vector<std::uint8_t> file = WriteRawWav(format, data);
    if (options.list_chunk_size > 0) {
        std::vector<std::uint8_t> list;
        PutTag(list, "LIST");
        PutU32(list, static_cast<std::uint32_t>(options.list_chunk_size));
        list.resize(list.size() + static_cast<std::size_t>(options.list_chunk_size + 1) / 2 * 2,
                    'x');
        const std::size_t data_at = 12 + 8 + format.size() + format.size() % 2;
        file.insert(file.begin() + static_cast<std::ptrdiff_t>(data_at), list.begin(), list.end());
        const auto riff_size = static_cast<std::uint32_t>(file.size() - 8);
        std::memcpy(file.data() + 4, &riff_size, 4);
    }
    return file;
}

}  // namespace tools
