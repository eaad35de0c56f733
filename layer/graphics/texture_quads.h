#pragma once

// How the texture draw bodies put a tile's quad into the batch: four corners with their
// graph texture coordinates and, while a blend image is set, its coordinates too.

#include <cstdint>

#include "layer/graphics/direct3d_context.h"
#include "layer/graphics/texture_tiles.h"

namespace layer {

struct QuadCorner {
    float x = 0.0f;
    float y = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
    // The blend image's coordinates.
    float blend_u = 0.0f;
    float blend_v = 0.0f;
};

// The corners of a tile placed by a linear map of its graph positions: position = origin +
// scale x graph position; the blend image's coordinates follow the graph positions.
void PlaceTileCorners(const Surface3DData& tile, float origin_x, float origin_y, float scale_x,
                      float scale_y, QuadCorner* corners);
// Binds the tile's texture when another is bound, applies pending state and puts the two
// triangles top-left, top-right, bottom-left and bottom-right, bottom-left, top-right into the
// batch, the draw colour in the first vertex of each.
void PutTileQuad(DeviceState* state, const Surface3DData& tile, const QuadCorner* corners);
// Draws a four-vertex triangle strip of the batch's layout at once.
int DrawStripAtOnce(DeviceState* state, const QuadCorner* corners, std::uint32_t colour);

}  // namespace layer
