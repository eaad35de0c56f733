#include "layer/media/bound_stream.h"

#include <climits>

namespace layer {

std::int64_t StreamTell(const BoundStream& stream) {
    return stream.functions.tell(stream.stream);
}

bool StreamSeek(const BoundStream& stream, std::int64_t offset, int origin) {
    return stream.functions.seek(offset, origin, stream.stream) == 0;
}

bool StreamReadBytes(const BoundStream& stream, void* buffer, std::size_t size) {
    auto* at = static_cast<unsigned char*>(buffer);
    // Elements of one byte, so that the count read is the byte count whatever the stream.
    while (size > 0) {
        const int chunk = size > INT_MAX ? INT_MAX : static_cast<int>(size);
        if (stream.functions.read(at, 1, chunk, stream.stream) != chunk) {
            return false;
        }
        at += chunk;
        size -= static_cast<std::size_t>(chunk);
    }
    return true;
}

std::int64_t StreamBytesFrom(const BoundStream& stream, std::int64_t from) {
    if (!StreamSeek(stream, 0, 2)) {
        return -1;
    }
    const std::int64_t end = StreamTell(stream);
    if (!StreamSeek(stream, from, 0) || end < from) {
        return -1;
    }
    return end - from;
}

}  // namespace layer
