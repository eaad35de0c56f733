#pragma once

// The frames of a movie played through the multimedia streams.

#include "layer/media/movie_handles.h"

namespace layer {

// Brings a stream movie's sample to the frame due and hands it on; without `synchronous` only
// while it plays, and at most once per presented frame or 17 milliseconds.
void SyncStreamFrame(MovieRecord* movie, int synchronous);

}  // namespace layer
