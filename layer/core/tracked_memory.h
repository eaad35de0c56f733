#pragma once

#include <cstddef>
#include <cstdint>

namespace layer {

// Every block the layer allocates for itself carries a header naming the source file and line
// that asked for it, a serial number and its size; the live blocks form one list, so that a
// failed allocation can dump them all to the log and an overwritten header is detected.
// Safe to call from any thread (the movie decode thread allocates too).

struct TrackedBlockHeader {
    char name[16];  // the last 15 bytes of the source-file name, terminated
    std::uint16_t serial;
    std::uint16_t line;
    std::uint32_t size;
    TrackedBlockHeader* next;      // the block allocated before this one
    TrackedBlockHeader* previous;  // the block allocated after this one; null for the head
    std::uint8_t reserved[8];
    std::uint8_t copy[48];  // the 48 bytes above, to detect an overwritten header
};

// The header keeps the caller's bytes 16-aligned.
constexpr std::size_t kTrackedHeaderSize = 96;
constexpr std::size_t kTrackedFieldBytes = 48;
static_assert(sizeof(TrackedBlockHeader) == kTrackedHeaderSize);

// A block of `size` bytes, or null (after a dump of all blocks to the log) when the heap
// refuses or the size cannot be held with its header.
void* AllocTracked(std::size_t size, const char* file, int line);
void* AllocTrackedZeroed(std::size_t size, const char* file, int line);
// Resizes a block (null allocates one); bytes added are zero. On failure the old block stays
// valid and null is returned.
void* ReallocTracked(void* block, std::size_t size, const char* file, int line);
// Gives a block back: 1, or 0 for null.
int FreeTracked(void* block);

// A tracked block with four counts kept beside it (a ring buffer's read and write offsets, the
// bytes it holds and its capacity).
struct HeldBlock {
    void* block = nullptr;
    int counts[4] = {};
};
// Frees the block (none is fine) and zeroes the whole record. Returns 0.
int FreeHeldBlock(HeldBlock* held);

// Writes every live block and the totals to the log; returns -1.
int DumpTrackedBlocks();
// 0 when every header matches its copy, else -1 after logging the first that does not.
int CheckTrackedBlocks();

struct TrackedTotals {
    std::size_t size = 0;
    std::size_t count = 0;
};
TrackedTotals ReadTrackedTotals();

// Test hook: the next allocation or resize fails as if the heap were exhausted.
void FailNextTrackedAllocation();

}  // namespace layer
