#pragma once

// Capturing a rectangle of the draw target into a 2D graph of exactly its size.

#include "layer/graphics/graph_record.h"

namespace layer {

// 0, or -1 when the rectangle is not the graph's size or leaves the target, or a lock fails.
int CaptureScreenToGraph2D(int x1, int y1, int x2, int y2, GraphRecord* graph);

}  // namespace layer
