#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "layer/core/tracked_memory.h"

namespace layer {

// Sole owner of one tracked-memory block, so that every early return of a decoder or a
// converter gives its blocks back. Release() hands the block on to a record that owns it.
class TrackedBlock {
  public:
    TrackedBlock() = default;
    ~TrackedBlock() { FreeTracked(block_); }
    TrackedBlock(TrackedBlock&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    TrackedBlock& operator=(TrackedBlock&& other) noexcept {
        std::swap(block_, other.block_);
        return *this;
    }
    TrackedBlock(const TrackedBlock&) = delete;
    TrackedBlock& operator=(const TrackedBlock&) = delete;

    // An empty owner when the memory cannot be had. The block is recorded under the caller's
    // file and line.
    static TrackedBlock Allocate(std::size_t size, const char* file = __builtin_FILE(),
                                 int line = __builtin_LINE()) {
        return TrackedBlock(AllocTracked(size, file, line));
    }
    static TrackedBlock AllocateZeroed(std::size_t size, const char* file = __builtin_FILE(),
                                       int line = __builtin_LINE()) {
        return TrackedBlock(AllocTrackedZeroed(size, file, line));
    }

    // Takes over a block allocated from tracked memory.
    static TrackedBlock Adopt(void* block) { return TrackedBlock(block); }

    explicit operator bool() const { return block_ != nullptr; }
    std::uint8_t* get() const { return static_cast<std::uint8_t*>(block_); }
    std::uint8_t* Release() { return static_cast<std::uint8_t*>(std::exchange(block_, nullptr)); }

  private:
    explicit TrackedBlock(void* block) : block_(block) {}
    void* block_ = nullptr;
};

}  // namespace layer
