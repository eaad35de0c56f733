#pragma once

#include <cstdint>

#include "layer/media/bound_stream.h"

namespace layer {

// The chunks of a RIFF/WAVE stream that the readers use.
struct WaveChunks {
    int format_position = 0;
    // The "fmt " chunk's size, cut to the bytes the stream holds.
    int format_size = 0;
    int data_offset = 0;
    // The "data" chunk's size, cut to the bytes the stream holds.
    int data_size = 0;
};

// From offset 0: "RIFF", "WAVE", then "fmt " as the first chunk, and the chunks after it up to
// "data" (odd sizes skipped rounded up to even). The stream is left at the data. False when
// the stream is no such file, a size exceeds 2^31 - 1, or it ends before "data".
bool WalkWaveChunks(const BoundStream& stream, WaveChunks* chunks);

}  // namespace layer
