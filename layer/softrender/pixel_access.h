#pragma once

#include <cstdint>
#include <cstring>

namespace layer {

// Pixel stores are byte buffers; pixels are read and written through memcpy so that no
// alignment or aliasing assumption is made about them.
template <class Word>
inline Word LoadPixel(const std::uint8_t* at) {
    Word value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <class Word>
inline void StorePixel(std::uint8_t* at, Word value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace layer
