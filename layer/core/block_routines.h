#pragma once

#include <cstddef>

namespace layer {

// Sets n bytes of the block to the byte.
void FillBytes(void* block, int byte, std::size_t n);
// 0 when the n bytes of both blocks are equal, else 1.
int BytesDiffer(const void* a, const void* b, std::size_t n);
// Copy n bytes; the blocks may overlap. Both return the destination.
void* CopyBytes(void* destination, const void* source, std::size_t n);
void* MoveBytes(void* destination, const void* source, std::size_t n);

}  // namespace layer
