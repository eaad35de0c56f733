#include <algorithm>

#include "layer/media/pcm_decoder.h"
#include "layer/media/tracked_block.h"
#include "layer/media/wave_chunks.h"

namespace layer {
namespace {

constexpr int kShortFormatBytes = 16;

}  // namespace

int OpenPcmWave(PcmDecoder* decoder) {
    const BoundStream& stream = decoder->stream;
    WaveChunks chunks;
    if (!WalkWaveChunks(stream, &chunks) || chunks.format_size < kShortFormatBytes) {
        return -1;
    }
    const int read_size = std::min(chunks.format_size, kWaveFormatBytes);
    std::uint8_t format_bytes[kWaveFormatBytes] = {};
    if (!StreamSeek(stream, chunks.format_position, 0) ||
        !StreamReadBytes(stream, format_bytes, static_cast<std::size_t>(read_size))) {
        return -1;
    }
    WaveFormat format = ReadWaveFormat(format_bytes, read_size);
    if (format.format_tag != kWavePcmTag) {
        return -1;
    }
    if (chunks.format_size == kShortFormatBytes && format.channels != 0) {
        format.bits_per_sample =
            static_cast<std::uint16_t>(format.block_align / format.channels * 8);
    }
    // The format a buffer plays: no extra bytes, and the byte rate its rate and blocks give.
    format.extra_size = 0;
    format.average_bytes_per_second = format.samples_per_second * format.block_align;
    if (!IsPlayablePcm(format)) {
        return -1;
    }
    decoder->output = format;
    decoder->format_position = chunks.format_position;
    decoder->format_size = chunks.format_size;
    decoder->data_offset = chunks.data_offset;
    decoder->data_size = chunks.data_size - chunks.data_size % format.block_align;
    decoder->output_size = static_cast<int>(format.average_bytes_per_second);
    decoder->kind = kPcmDecoderPcm;
    return StreamSeek(stream, chunks.data_offset, 0) ? 0 : -1;
}

int ReadPcmBlock(PcmDecoder* decoder) {
    const std::int64_t position = StreamTell(decoder->stream);
    const std::int64_t left = decoder->data_size - (position - decoder->data_offset);
    const int count = static_cast<int>(std::clamp<std::int64_t>(left, 0, decoder->output_size));
    if (count == 0) {
        return -1;
    }
    const int read =
        decoder->stream.functions.read(decoder->output_buffer, 1, count, decoder->stream.stream);
    if (read <= 0) {
        return -1;
    }
    decoder->valid = read;
    return 0;
}

void SeekPcmData(PcmDecoder* decoder, int target) {
    StreamSeek(decoder->stream, decoder->data_offset + static_cast<std::int64_t>(target), 0);
    decoder->position = target;
    decoder->valid = 0;
    decoder->read_offset = 0;
}

}  // namespace layer
