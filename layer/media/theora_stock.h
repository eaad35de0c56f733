#pragma once

// Finding and giving back frame stock entries. The main thread holds the entry it reads (the
// decoder's reading entry); the thread gives back every other one. Holding stores the entry
// and then checks it is still valid; giving back clears the valid flag and then checks the
// entry is not held (restoring the flag when it is). Both pairs are sequentially consistent,
// so at least one side sees the other.

#include "layer/media/theora_decoder.h"

namespace layer {

// The index of a valid entry holding the frame, or -1.
int FindStockEntry(const TheoraDecoder* decoder, int frame);
// Main thread: the entry of the frame, held until ReleaseHeldStockEntry; -1 when none.
int HoldStockEntry(TheoraDecoder* decoder, int frame);
void ReleaseHeldStockEntry(TheoraDecoder* decoder);
// Decode thread: frees the entry unless the main thread holds it.
void ReleaseStockEntry(TheoraDecoder* decoder, int index);

}  // namespace layer
