#include "layer/core/ring_buffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/core/network_texts.h"
#include "layer/core/tracked_memory.h"

namespace layer {
namespace {

constexpr int kGrowthSlack = 1000;

// Copies the held bytes out in order, wrapping at the end; the ring is left as it was.
void CopyOut(const RingBuffer& ring, int n, std::uint8_t* destination) {
    const int first = std::min(n, ring.capacity - ring.read);
    std::memcpy(destination, ring.buffer + ring.read, static_cast<std::size_t>(first));
    std::memcpy(destination + first, ring.buffer, static_cast<std::size_t>(n - first));
}

}  // namespace

void NormalizeRingBuffer(RingBuffer* ring) {
    if (ring->read >= ring->capacity) {
        ring->read = 0;
    }
    if (ring->write >= ring->capacity) {
        ring->write = 0;
    }
}

int GrowRingBuffer(RingBuffer* ring, int n) {
    const std::int64_t needed = static_cast<std::int64_t>(ring->held) + n;
    if (ring->capacity >= needed) {
        return 0;
    }
    const std::int64_t wanted = needed + kGrowthSlack;
    const int size = static_cast<int>(std::min<std::int64_t>(wanted, INT_MAX));
    auto* grown = wanted > INT_MAX ? nullptr
                                   : static_cast<std::uint8_t*>(AllocTracked(
                                         static_cast<std::size_t>(size), __FILE__, __LINE__));
    if (grown == nullptr) {
        FreeRingBuffer(ring);
        WriteLogFormat(kRingGrowFailedFormat, size);
        return -1;
    }
    if (ring->held > 0) {
        CopyOut(*ring, ring->held, grown);
    }
    if (ring->buffer != nullptr) {
        FreeTracked(ring->buffer);
    }
    ring->buffer = grown;
    ring->capacity = size;
    ring->read = 0;
    ring->write = ring->held;
    NormalizeRingBuffer(ring);
    return 0;
}

int AppendRingBuffer(RingBuffer* ring, const void* data, int n) {
    if (n <= 0) {
        return n == 0 ? 0 : -1;
    }
    if (GrowRingBuffer(ring, n) == -1) {
        WriteLogFormat(kRingAppendFailedFormat, n);
        return -1;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const int first = std::min(n, ring->capacity - ring->write);
    std::memcpy(ring->buffer + ring->write, bytes, static_cast<std::size_t>(first));
    std::memcpy(ring->buffer, bytes + first, static_cast<std::size_t>(n - first));
    ring->write = (ring->write + n) % ring->capacity;
    ring->held += n;
    return 0;
}

int ReadRingBuffer(RingBuffer* ring, int n, void* destination, int peek) {
    if (n < 0 || ring->held < n) {
        return -1;
    }
    if (n == 0) {
        return 0;
    }
    CopyOut(*ring, n, static_cast<std::uint8_t*>(destination));
    if (peek == 0) {
        ring->read = (ring->read + n) % ring->capacity;
        ring->held -= n;
    }
    return 0;
}

void FreeRingBuffer(RingBuffer* ring) {
    if (ring->buffer != nullptr) {
        FreeTracked(ring->buffer);
    }
    *ring = {};
}

}  // namespace layer
