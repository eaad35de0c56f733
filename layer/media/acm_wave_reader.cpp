#include <algorithm>

#include "layer/media/converted_data.h"
#include "layer/media/pcm_converter.h"
#include "layer/media/tracked_block.h"
#include "layer/media/wave_chunks.h"

namespace layer {
namespace {

constexpr int kShortFormatBytes = 16;

}  // namespace

int OpenAcmWave(PcmDecoder* decoder) {
    const BoundStream& stream = decoder->stream;
    WaveChunks chunks;
    if (!WalkWaveChunks(stream, &chunks) || chunks.format_size < kShortFormatBytes) {
        return -1;
    }
    const int size = std::max(chunks.format_size, kWaveFormatBytes);
    TrackedBlock format = TrackedBlock::AllocateZeroed(static_cast<std::size_t>(size));
    if (!format || !StreamSeek(stream, chunks.format_position, 0) ||
        !StreamReadBytes(stream, format.get(), static_cast<std::size_t>(chunks.format_size))) {
        return -1;
    }
    WaveFormat output;
    if (SuggestPcmFormat(format.get(), chunks.format_size, &output) != 0 ||
        OpenConvertedData(decoder, format.get(), chunks.format_size, chunks.data_offset,
                          chunks.data_size,
                          static_cast<int>(output.average_bytes_per_second)) != 0) {
        return -1;
    }
    decoder->output = output;
    decoder->format_position = chunks.format_position;
    decoder->format_size = chunks.format_size;
    decoder->total_samples = -1;
    return 0;
}

}  // namespace layer
