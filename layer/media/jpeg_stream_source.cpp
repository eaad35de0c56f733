#include "layer/media/jpeg_stream_source.h"

#include <jerror.h>

#include <algorithm>
#include <cstdint>

namespace layer {

namespace {

constexpr std::int64_t kBufferSize = 4096;

struct JpegStreamSource {
    jpeg_source_mgr manager;
    JOCTET buffer[kBufferSize];
    boolean start_of_file;
    const BoundStream* stream;
    // The stream's length, measured at set-up.
    std::int64_t end;
};

JpegStreamSource* SourceOf(j_decompress_ptr info) {
    return reinterpret_cast<JpegStreamSource*>(info->src);
}

void InitSource(j_decompress_ptr info) {
    SourceOf(info)->start_of_file = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr info) {
    JpegStreamSource* source = SourceOf(info);
    const std::int64_t remaining = source->end - StreamTell(*source->stream);
    const std::int64_t count = std::clamp<std::int64_t>(remaining, 0, kBufferSize);
    std::size_t filled = 0;
    if (count > 0 && StreamReadBytes(*source->stream, source->buffer, count)) {
        filled = static_cast<std::size_t>(count);
    } else {
        if (source->start_of_file) {
            ERREXIT(info, JERR_INPUT_EMPTY);
        }
        WARNMS(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        filled = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = filled;
    source->start_of_file = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr* manager = info->src;
    while (count > static_cast<long>(manager->bytes_in_buffer)) {
        count -= static_cast<long>(manager->bytes_in_buffer);
        (*manager->fill_input_buffer)(info);
    }
    manager->next_input_byte += count;
    manager->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void SetJpegStreamSource(j_decompress_ptr info, const BoundStream& stream) {
    if (info->src == nullptr) {
        info->src = static_cast<jpeg_source_mgr*>((*info->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(JpegStreamSource)));
    }
    JpegStreamSource* source = SourceOf(info);
    source->manager.init_source = InitSource;
    source->manager.fill_input_buffer = FillInputBuffer;
    source->manager.skip_input_data = SkipInputData;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = TermSource;
    source->stream = &stream;
    const std::int64_t start = StreamTell(stream);
    source->end = start + std::max<std::int64_t>(StreamBytesFrom(stream, start), 0);
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
}

}  // namespace layer
