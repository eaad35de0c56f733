#pragma once

#include <cstddef>
#include <cstdint>

#include "layer/core/stream_functions.h"

namespace layer {

// A stream with a copy of its six operations, as every image loader reads it. Origins of
// seek: 0 start, 1 position, 2 end.
struct BoundStream {
    StreamFunctions functions;
    StreamValue stream = 0;
};

std::int64_t StreamTell(const BoundStream& stream);
bool StreamSeek(const BoundStream& stream, std::int64_t offset, int origin);
// Reads exactly `size` bytes; false (with an unknown part of the buffer filled) otherwise.
bool StreamReadBytes(const BoundStream& stream, void* buffer, std::size_t size);
// The bytes from `from` to the end of the stream, leaving the position at `from`; -1 when
// the stream cannot tell.
std::int64_t StreamBytesFrom(const BoundStream& stream, std::int64_t from);

}  // namespace layer
