#pragma once

#include "layer/media/bound_stream.h"
#include "layer/media/jpeg_library.h"

namespace layer {

// Points the decompressor's source at the stream from its current position: 4,096 bytes at a
// time, an end-of-image code inserted when the data runs out (an empty stream is an error, a
// premature end only a warning). The manager lives in the decompressor's permanent pool.
void SetJpegStreamSource(j_decompress_ptr info, const BoundStream& stream);

}  // namespace layer
