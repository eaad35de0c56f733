#pragma once

// The shape an edge of e pixels takes around one glyph pixel.

#include <vector>

namespace layer {

struct EdgeOffset {
    int dx;
    int dy;
};

// The pixels an edge of this size reaches around a glyph pixel: the four direct neighbours
// for 1, the rounded shapes of the EdgeMaskTable for 2 to 4, the whole square above.
std::vector<EdgeOffset> EdgeShape(int edge_size);

}  // namespace layer
