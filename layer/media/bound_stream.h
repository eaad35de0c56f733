#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// The value a stream's operations work on: a file handle or a memory stream's address.
using StreamValue = std::uintptr_t;

// A stream with its six operations, as every image loader reads it. Origins of seek: 0 start,
// 1 position, 2 end; read returns the number of whole elements read, 0 on failure.
struct BoundStream {
    std::int64_t (*tell)(StreamValue stream) = nullptr;
    int (*seek)(std::int64_t offset, int origin, StreamValue stream) = nullptr;
    int (*read)(void* destination, int element_size, int count, StreamValue stream) = nullptr;
    int (*end_test)(StreamValue stream) = nullptr;
    int (*idle_test)(StreamValue stream) = nullptr;
    int (*close)(StreamValue stream) = nullptr;
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
