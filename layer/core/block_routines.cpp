#include "layer/core/block_routines.h"

#include <cstring>

namespace layer {

void FillBytes(void* block, int byte, std::size_t n) {
    std::memset(block, byte, n);
}

int BytesDiffer(const void* a, const void* b, std::size_t n) {
    return std::memcmp(a, b, n) != 0 ? 1 : 0;
}

void* CopyBytes(void* destination, const void* source, std::size_t n) {
    return std::memmove(destination, source, n);
}

void* MoveBytes(void* destination, const void* source, std::size_t n) {
    return std::memmove(destination, source, n);
}

}  // namespace layer
