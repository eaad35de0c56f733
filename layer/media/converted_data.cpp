#include "layer/media/converted_data.h"

#include <algorithm>
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/pcm_converter.h"
#include "layer/media/tracked_block.h"

namespace layer {
namespace {

// Source bytes converted at once, unless a block is longer.
constexpr int kConversionBytes = 2048;
// The spare converter walks along until it stands this close before its target.
constexpr int kSpareLead = 10240;

int ChunkBytes(const PcmDecoder* decoder, const PcmConverter* converter, int offset) {
    const int chunk = std::max(kConversionBytes, SourceBlockBytes(converter));
    return std::min(chunk, decoder->compressed_size - offset);
}

// Converts from `*offset` until some PCM comes out or the data ends: the PCM bytes produced.
int ConvertOnce(PcmDecoder* decoder, PcmConverter* converter, int* offset,
                std::uint8_t* destination) {
    while (true) {
        const int chunk = ChunkBytes(decoder, converter, *offset);
        int used = 0;
        int produced = 0;
        ConvertPcmBlocks(converter, decoder->compressed + *offset, std::max(chunk, 0), destination,
                         decoder->output_size, &used, &produced);
        *offset += used;
        if (produced > 0 || used == 0) {
            return produced;
        }
    }
}

bool ReopenConverter(PcmDecoder* decoder, PcmConverter** converter) {
    ClosePcmConverter(*converter);
    *converter = OpenPcmConverter(decoder->source_format, decoder->source_format_size);
    return *converter != nullptr;
}

// Before each main conversion: the spare converter goes back to the start when it passed its
// target, and converts one more chunk while it is more than kSpareLead bytes behind it.
void WalkSpareConverter(PcmDecoder* decoder) {
    if (decoder->spare_target == decoder->spare_produced) {
        return;
    }
    if (decoder->spare_produced > decoder->spare_target) {
        if (!ReopenConverter(decoder, &decoder->spare_converter)) {
            return;
        }
        decoder->spare_offset = 0;
        decoder->spare_produced = 0;
    }
    if (decoder->spare_target - decoder->spare_produced > kSpareLead &&
        decoder->spare_offset < decoder->compressed_size) {
        decoder->spare_produced += ConvertOnce(decoder, decoder->spare_converter,
                                               &decoder->spare_offset, decoder->spare_output);
    }
}

}  // namespace

int OpenConvertedData(PcmDecoder* decoder, const std::uint8_t* source_format, int format_size,
                      int data_offset, int data_size, int output_size) {
    TrackedBlock format = TrackedBlock::AllocateZeroed(
        static_cast<std::size_t>(std::max(format_size, kWaveFormatBytes)));
    TrackedBlock data = TrackedBlock::Allocate(static_cast<std::size_t>(std::max(data_size, 1)));
    if (!format || !data || !StreamSeek(decoder->stream, data_offset, 0) ||
        !StreamReadBytes(decoder->stream, data.get(), static_cast<std::size_t>(data_size)) ||
        !StreamSeek(decoder->stream, data_offset, 0)) {
        return -1;
    }
    std::memcpy(format.get(), source_format, static_cast<std::size_t>(format_size));
    PcmConverter* main = OpenPcmConverter(format.get(), format_size);
    PcmConverter* spare = OpenPcmConverter(format.get(), format_size);
    const int size = main == nullptr ? 0 : std::max(output_size, LargestBlockOutput(main));
    TrackedBlock spare_output = TrackedBlock::Allocate(static_cast<std::size_t>(size));
    if (main == nullptr || spare == nullptr || !spare_output) {
        ClosePcmConverter(main);
        ClosePcmConverter(spare);
        return -1;
    }
    decoder->source_format = format.Release();
    decoder->source_format_size = format_size;
    decoder->compressed = data.Release();
    decoder->compressed_size = data_size;
    decoder->compressed_offset = 0;
    decoder->main_converter = main;
    decoder->spare_converter = spare;
    decoder->spare_offset = 0;
    decoder->spare_produced = 0;
    decoder->spare_output = spare_output.Release();
    decoder->data_offset = data_offset;
    decoder->data_size = data_size;
    decoder->output_size = size;
    decoder->kind = kPcmDecoderConverted;
    return 0;
}

int ConvertAcmBlock(PcmDecoder* decoder) {
    WalkSpareConverter(decoder);
    const int produced = ConvertOnce(decoder, decoder->main_converter, &decoder->compressed_offset,
                                     decoder->output_buffer);
    if (produced == 0) {
        decoder->compressed_offset = decoder->compressed_size;
        return -1;
    }
    decoder->valid = produced;
    return 0;
}

void SeekAcmData(PcmDecoder* decoder, int target) {
    const int buffer_start = decoder->position - decoder->read_offset;
    const int buffer_end = decoder->position + decoder->valid;
    if (target >= buffer_start && target < buffer_end) {
        decoder->read_offset = target - buffer_start;
        decoder->valid = buffer_end - target;
        decoder->position = target;
        return;
    }
    if (target < decoder->position) {
        if (decoder->spare_produced <= target) {
            std::swap(decoder->main_converter, decoder->spare_converter);
            decoder->compressed_offset = decoder->spare_offset;
            decoder->position = decoder->spare_produced;
            ReopenConverter(decoder, &decoder->spare_converter);
            decoder->spare_offset = 0;
            decoder->spare_produced = 0;
        } else {
            ReopenConverter(decoder, &decoder->main_converter);
            decoder->compressed_offset = 0;
            decoder->position = 0;
        }
    } else {
        decoder->position = buffer_end;
    }
    decoder->valid = 0;
    decoder->read_offset = 0;
    while (decoder->main_converter != nullptr && ConvertAcmBlock(decoder) == 0) {
        if (target < decoder->position + decoder->valid) {
            decoder->read_offset = target - decoder->position;
            decoder->valid -= decoder->read_offset;
            decoder->position = target;
            return;
        }
        decoder->position += decoder->valid;
    }
    decoder->end = 1;
    decoder->valid = 0;
    decoder->read_offset = 0;
}

void CloseAcmDecoder(PcmDecoder* decoder) {
    FreeTracked(decoder->source_format);
    FreeTracked(decoder->spare_output);
    FreeTracked(decoder->compressed);
    ClosePcmConverter(decoder->main_converter);
    ClosePcmConverter(decoder->spare_converter);
    decoder->source_format = nullptr;
    decoder->spare_output = nullptr;
    decoder->compressed = nullptr;
    decoder->main_converter = nullptr;
    decoder->spare_converter = nullptr;
}

}  // namespace layer
