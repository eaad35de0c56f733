#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// The read interface of every image, sound and movie loader: a file (the stream value is a
// FileHandle, read through the file operations in force, so archives included) or a block of
// memory (the value is a MemoryStream).
using StreamValue = std::uintptr_t;

struct StreamFunctions {
    std::int64_t (*tell)(StreamValue stream);
    // origin 0 from the start, 1 from the position, 2 from the end; 0 or -1.
    int (*seek)(std::int64_t offset, int origin, StreamValue stream);
    int (*read)(void* destination, int element_size, int count, StreamValue stream);
    int (*eof)(StreamValue stream);
    int (*idle)(StreamValue stream);
    int (*close)(StreamValue stream);
};

// A block of memory read as a stream; the caller keeps owning the block.
struct MemoryStream {
    const std::uint8_t* data = nullptr;
    std::int64_t size = 0;
    std::int64_t position = 0;
    int end = 0;
};

// The two built-in tables, valid from program load.
const StreamFunctions* GetFileStreamFunctions();
const StreamFunctions* GetMemoryStreamFunctions();

// A new stream at position 0 over the block; 0 when tracked memory is exhausted.
StreamValue OpenMemoryStream(const void* data, std::int64_t size);
// Frees the record only; 0.
int CloseMemoryStream(StreamValue stream);
// The target clamped to 0..size; 0.
int SeekMemoryStream(std::int64_t offset, int origin, StreamValue stream);
// The whole elements that fit; when less than one element remains, the rest of the bytes and
// 1; at the end 0 with the end flag set.
int ReadMemoryStream(void* destination, int element_size, int count, StreamValue stream);

}  // namespace layer
