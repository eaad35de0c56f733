#include <algorithm>
#include <cstring>

#include "layer/core/stream_functions.h"
#include "layer/core/tracked_object.h"

namespace layer {
namespace {

MemoryStream* AsMemory(StreamValue stream) {
    return reinterpret_cast<MemoryStream*>(stream);
}

std::int64_t TellMemoryStream(StreamValue stream) {
    return AsMemory(stream)->position;
}
int MemoryStreamEof(StreamValue stream) {
    return AsMemory(stream)->end != 0 ? -1 : 0;
}
int MemoryStreamIdle(StreamValue) {
    return 1;
}

}  // namespace

StreamValue OpenMemoryStream(const void* data, std::int64_t size) {
    MemoryStream* stream = NewTracked<MemoryStream>(__FILE__, __LINE__);
    if (stream == nullptr) {
        return 0;
    }
    stream->data = static_cast<const std::uint8_t*>(data);
    stream->size = std::max<std::int64_t>(size, 0);
    return reinterpret_cast<StreamValue>(stream);
}

int CloseMemoryStream(StreamValue stream) {
    DeleteTracked(AsMemory(stream));
    return 0;
}

int SeekMemoryStream(std::int64_t offset, int origin, StreamValue stream) {
    MemoryStream* memory = AsMemory(stream);
    if (origin < 0 || origin > 2) {
        return -1;
    }
    const std::int64_t bases[] = {0, memory->position, memory->size};
    memory->position = std::clamp<std::int64_t>(bases[origin] + offset, 0, memory->size);
    memory->end = 0;
    return 0;
}

int ReadMemoryStream(void* destination, int element_size, int count, StreamValue stream) {
    MemoryStream* memory = AsMemory(stream);
    const std::int64_t remaining = memory->size - memory->position;
    if (remaining <= 0) {
        memory->end = 1;
        return 0;
    }
    if (element_size <= 0 || count <= 0) {
        return 0;
    }
    const std::int64_t elements = std::min<std::int64_t>(count, remaining / element_size);
    const std::int64_t bytes = elements > 0 ? elements * element_size : remaining;
    std::memcpy(destination, memory->data + memory->position, static_cast<std::size_t>(bytes));
    memory->position += bytes;
    memory->end = 0;
    return elements > 0 ? static_cast<int>(elements) : 1;
}

const StreamFunctions* GetMemoryStreamFunctions() {
    static constexpr StreamFunctions kMemoryStreams = {
        TellMemoryStream, SeekMemoryStream, ReadMemoryStream,
        MemoryStreamEof,  MemoryStreamIdle, CloseMemoryStream,
    };
    return &kMemoryStreams;
}

}  // namespace layer
