#include "layer/core/qva_lz.h"

#include <algorithm>
#include <cstring>

#include "layer/core/qva_format.h"

namespace layer {
namespace {

// Copies `length` bytes from `distance` bytes back. The pattern repeats, so each chunk may be
// as long as everything written since the copy's source began, and never overlaps.
void CopyRepeat(std::uint8_t* output, std::size_t at, std::size_t distance, std::size_t length) {
    const std::size_t source = at - distance;
    while (length > 0) {
        const std::size_t chunk = std::min(length, at - source);
        std::memcpy(output + at, output + source, chunk);
        at += chunk;
        length -= chunk;
    }
}

}  // namespace

std::int64_t DecodeQvaLz(const std::uint8_t* block, std::size_t available, std::uint8_t* output,
                         std::size_t output_size) {
    if (available < kQvaLzHeaderSize) {
        return -1;
    }
    const std::size_t end = LoadLe32(block + 4);
    if (LoadLe32(block) != output_size || end < kQvaLzHeaderSize || end > available) {
        return -1;
    }
    const std::uint8_t escape = block[8];
    std::size_t in = kQvaLzHeaderSize;
    std::size_t out = 0;
    while (in < end) {
        if (block[in] != escape) {
            const void* next = std::memchr(block + in, escape, end - in);
            const std::size_t run =
                (next != nullptr ? static_cast<const std::uint8_t*>(next) : block + end) -
                (block + in);
            if (run > output_size - out) {
                return -1;
            }
            std::memcpy(output + out, block + in, run);
            in += run;
            out += run;
            continue;
        }
        if (end - in < 2) {
            return -1;
        }
        const std::uint8_t code_byte = block[in + 1];
        in += 2;
        if (code_byte == escape) {
            if (out == output_size) {
                return -1;
            }
            output[out++] = escape;
            continue;
        }
        const unsigned code = code_byte > escape ? code_byte - 1u : code_byte;
        std::size_t length = code >> 3;
        if ((code & 4) != 0) {
            if (in == end) {
                return -1;
            }
            length |= static_cast<std::size_t>(block[in++]) << 5;
        }
        length += 4;
        const std::size_t distance_bytes = (code & 3) + 1;
        if (distance_bytes > 3 || end - in < distance_bytes) {
            return -1;
        }
        std::size_t distance = 0;
        for (std::size_t i = 0; i < distance_bytes; ++i) {
            distance |= static_cast<std::size_t>(block[in + i]) << (8 * i);
        }
        in += distance_bytes;
        distance += 1;
        if (distance > out || length > output_size - out) {
            return -1;
        }
        CopyRepeat(output, out, distance, length);
        out += length;
    }
    return out == output_size ? static_cast<std::int64_t>(out) : -1;
}

}  // namespace layer
