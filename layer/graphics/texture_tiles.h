#pragma once

// Texture tiles: a texture graph keeps its picture in up to 64 textures whose sides are powers
// of two within the device's limits; each tile knows where it sits in its graph and in its
// texture, and holds the four corner vertices that draw it at the graph's origin. Tiles of a
// graph derived from another share the parent's textures.

#include <cstdint>

#include "layer/core/handle_table.h"
#include "layer/core/rect.h"
#include "layer/graphics/format_key.h"
#include "layer/graphics/graph_record.h"
#include "layer/graphics/picture_source.h"
#include "platform/display.h"
#include "platform/gfx3d/device_types.h"

namespace layer {

struct Surface3DData {
    int CheckNo = 0;
    int* DeleteNotice = nullptr;
    std::uint16_t X = 0;
    std::uint16_t Y = 0;
    std::uint16_t TexX = 0;
    std::uint16_t TexY = 0;
    std::uint16_t SourceX = 0;
    std::uint16_t SourceY = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    // Top-left, top-right, bottom-left, bottom-right, at the graph's origin.
    platform::TexturedVertex Vertices[4] = {};
    // Per corner: 1 when it lies on or above the graph's diagonal from the bottom-left to the
    // top-right corner.
    std::uint8_t SideFlags[4] = {};
    int OwnerGraph = -1;
    int SurfaceHandle = -1;
};

using Surface3DDataTable = HandleTable<Surface3DData, kSurface3DDataHandleKind>;
extern Surface3DDataTable surfaces_3d;

int AddSurface3DData(int texture_width, int texture_height, int x, int y, int width, int height,
                     int source_x, int source_y, int owner, const Surface3DData* parent,
                     int texture_x, int texture_y, const FormatKey* key);
Surface3DData* GetSurface3DData(int handle);
int DeleteSurface3DData(int handle);
// The side flags of a tile's corners for a graph of the size.
void SetTileSideFlags(Surface3DData* tile, int graph_width, int graph_height);
// The pieces of an axis of `length`: their number, their sizes in `sizes`.
int SplitTextureAxis(int length, int* sizes, int single);
// The texture surface of a live tile, or null.
platform::DisplaySurface* GetTileTexture(const Surface3DData& tile);

int RestoreGraphTextures(GraphRecord* graph);
// Copies the source rectangle of the picture to (texture_x, texture_y) of the tile's texture.
int TransferImageToTile(const PictureSource& picture, const Rect& source_rect, int texture_x,
                        int texture_y, int tile, int mode_word, int transparent);
int UnlockTileTexture(int tile);

}  // namespace layer
