#include "layer/media/pcm_converter.h"

#include <algorithm>

#include "layer/media/block_codecs.h"
#include "layer/media/little_endian.h"
#include "layer/media/mpeg_audio_decoder.h"

namespace layer {

struct PcmConverter {
    BlockFormat format;
    // Block codings; null for MPEG.
    const BlockCodec* codec = nullptr;
    MpegAudioDecoder* mpeg = nullptr;
    // MPEG: the source's bytes per second, for the size estimate.
    int source_bytes_per_second = 0;
};

namespace {

// An MPEG stream of unknown bit rate is estimated at 128 kbit/s.
constexpr int kDefaultMpegBytesPerSecond = 16000;

bool IsMpegTag(std::uint16_t tag) {
    return tag == kMpegTag || tag == kMpegLayer3Tag;
}

// The converter's fields from the format; false on refusal.
bool ReadConverterFormat(const std::uint8_t* source_format, int size, PcmConverter* converter) {
    if (size < 2) {
        return false;
    }
    const std::uint16_t tag = ReadLe16(source_format);
    if (IsMpegTag(tag)) {
        if (!ReadCommonBlockFormat(source_format, size, &converter->format)) {
            return false;
        }
        converter->source_bytes_per_second =
            static_cast<int>(std::min<std::uint32_t>(ReadLe32(source_format + 8), 0x7FFFFFFF));
        return true;
    }
    converter->codec = FindBlockCodec(tag);
    return converter->codec != nullptr &&
           converter->codec->read_format(source_format, size, &converter->format);
}

int FrameBytes(const PcmConverter* converter) {
    return converter->format.channels * 2;
}

}  // namespace

int SuggestPcmFormat(const std::uint8_t* source_format, int size, WaveFormat* output) {
    PcmConverter converter;
    if (!ReadConverterFormat(source_format, size, &converter)) {
        return -1;
    }
    *output = Pcm16Format(converter.format.channels, converter.format.rate);
    return 0;
}

PcmConverter* OpenPcmConverter(const std::uint8_t* source_format, int size) {
    auto* converter = new PcmConverter;
    if (!ReadConverterFormat(source_format, size, converter)) {
        delete converter;
        return nullptr;
    }
    if (converter->codec == nullptr) {
        converter->mpeg = OpenMpegAudioDecoder(converter->format.rate, converter->format.channels);
        if (converter->mpeg == nullptr) {
            delete converter;
            return nullptr;
        }
    }
    return converter;
}

void ClosePcmConverter(PcmConverter* converter) {
    if (converter != nullptr) {
        CloseMpegAudioDecoder(converter->mpeg);
        delete converter;
    }
}

void ConvertPcmBlocks(PcmConverter* converter, const std::uint8_t* source, int source_bytes,
                      std::uint8_t* destination, int capacity, int* used, int* produced) {
    if (converter->mpeg != nullptr) {
        DecodeMpegAudio(converter->mpeg, source, source_bytes, destination, capacity, used,
                        produced);
        return;
    }
    *used = 0;
    *produced = 0;
    const BlockFormat& format = converter->format;
    const int block_output = LargestBlockOutput(converter);
    while (*used < source_bytes && capacity - *produced >= block_output) {
        const int bytes = std::min(format.block_align, source_bytes - *used);
        const int frames = converter->codec->decode_block(
            format, source + *used, bytes,
            reinterpret_cast<std::int16_t*>(destination + *produced));
        *used += bytes;
        *produced += frames * FrameBytes(converter);
        if (frames == 0) {
            return;
        }
    }
}

std::int64_t EstimatePcmBytes(const PcmConverter* converter, std::int64_t source_bytes) {
    if (converter->mpeg != nullptr) {
        const int per_second = converter->source_bytes_per_second > 0
                                   ? converter->source_bytes_per_second
                                   : kDefaultMpegBytesPerSecond;
        return source_bytes * converter->format.rate / per_second * FrameBytes(converter);
    }
    // A shorter last block counts as a whole one.
    const std::int64_t blocks =
        (source_bytes + converter->format.block_align - 1) / converter->format.block_align;
    return blocks * LargestBlockOutput(converter);
}

int SourceBlockBytes(const PcmConverter* converter) {
    return converter->mpeg != nullptr ? 1 : converter->format.block_align;
}

int LargestBlockOutput(const PcmConverter* converter) {
    return converter->format.samples_per_block * FrameBytes(converter);
}

}  // namespace layer
