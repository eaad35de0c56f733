#pragma once

#include "layer/core/network_state.h"

namespace layer {

// Wraps offsets that reached the capacity back to 0.
void NormalizeRingBuffer(RingBuffer* ring);
// Makes room for n more bytes: a full buffer of held + n + 1000 bytes with the held bytes
// unwrapped at its start. 0, or -1 after logging (the ring is then emptied).
int GrowRingBuffer(RingBuffer* ring, int n);
// Copies n bytes in behind the write offset, growing first. 0, or -1 after logging (and for a
// negative n).
int AppendRingBuffer(RingBuffer* ring, const void* data, int n);
// Copies n bytes out from the read offset; without peek they are taken. -1 when fewer are held.
int ReadRingBuffer(RingBuffer* ring, int n, void* destination, int peek);
// Frees the buffer and empties the ring.
void FreeRingBuffer(RingBuffer* ring);

}  // namespace layer
