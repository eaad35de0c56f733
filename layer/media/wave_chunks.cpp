#include "layer/media/wave_chunks.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "layer/media/little_endian.h"

namespace layer {
namespace {

constexpr int kChunkHeaderBytes = 8;

bool ReadChunkHeader(const BoundStream& stream, char* tag, std::uint32_t* size) {
    std::uint8_t header[kChunkHeaderBytes];
    if (!StreamReadBytes(stream, header, kChunkHeaderBytes)) {
        return false;
    }
    std::memcpy(tag, header, 4);
    *size = ReadLe32(header + 4);
    return true;
}

// The chunk size cut to the bytes left after `position`; -1 beyond 2^31 - 1.
int ClampedSize(const BoundStream& stream, std::int64_t position, std::uint32_t size) {
    const std::int64_t left = StreamBytesFrom(stream, position);
    if (size > INT_MAX || left < 0) {
        return -1;
    }
    return static_cast<int>(std::min<std::int64_t>(size, left));
}

}  // namespace

bool WalkWaveChunks(const BoundStream& stream, WaveChunks* chunks) {
    char tag[4];
    std::uint32_t size = 0;
    char wave[4];
    if (!ReadChunkHeader(stream, tag, &size) || std::memcmp(tag, "RIFF", 4) != 0 ||
        !StreamReadBytes(stream, wave, 4) || std::memcmp(wave, "WAVE", 4) != 0 ||
        !ReadChunkHeader(stream, tag, &size) || std::memcmp(tag, "fmt ", 4) != 0) {
        return false;
    }
    const std::int64_t format_position = StreamTell(stream);
    chunks->format_size = ClampedSize(stream, format_position, size);
    if (chunks->format_size < 0 || format_position > INT_MAX) {
        return false;
    }
    chunks->format_position = static_cast<int>(format_position);
    std::int64_t next = format_position + size + (size & 1);
    while (StreamSeek(stream, next, 0) && ReadChunkHeader(stream, tag, &size)) {
        if (std::memcmp(tag, "data", 4) == 0) {
            const std::int64_t data_offset = StreamTell(stream);
            chunks->data_size = ClampedSize(stream, data_offset, size);
            if (chunks->data_size < 0 || data_offset > INT_MAX) {
                return false;
            }
            chunks->data_offset = static_cast<int>(data_offset);
            return true;
        }
        next = StreamTell(stream) + size + (size & 1);
    }
    return false;
}

}  // namespace layer
