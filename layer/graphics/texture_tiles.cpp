// Texture tiles: their table, how a graph is cut into tiles, and the tiles of derived graphs
// that share their parent's textures.
#include "layer/graphics/texture_tiles.h"

#include <algorithm>
#include <vector>

#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_data.h"

namespace layer {

Surface3DDataTable surfaces_3d;

namespace {

constexpr int kSmallestPiece = 32;
constexpr int kFirstScreenPower = 8;
// An axis of at most 65535 pixels cut into pieces of at least 32 (the last ones smaller).
constexpr int kMaxAxisPieces = 2100;

struct TilePlace {
    int x;
    int y;
    int width;
    int height;
};

int TexturesSplitFor(const GraphRecord& graph) {
    return graph.Key.DrawValid == 1 || graph.Mode == 1 ? 1 : 0;
}

// A square-only device gets every tile as squares of its smaller side; the rest of a tile's
// area goes to further squares at the end of the list.
void MakeSquare(std::vector<TilePlace>* places) {
    for (std::size_t i = 0; i < places->size(); ++i) {
        TilePlace place = (*places)[i];
        if (place.width == place.height) {
            continue;
        }
        const int side = std::min(place.width, place.height);
        (*places)[i] = {place.x, place.y, side, side};
        const bool wide = place.width > place.height;
        const int extra = (wide ? place.width : place.height) / side - 1;
        for (int k = 1; k <= extra; ++k) {
            places->push_back({wide ? place.x + k * side : place.x,
                               wide ? place.y : place.y + k * side, side, side});
        }
    }
}

void DeleteTiles(GraphRecord* graph, int count) {
    for (int index = 0; index < count; ++index) {
        DeleteSurface3DData(graph->Tiles[index]);
    }
    graph->TileCount = 0;
}

// The part of a parent tile's span [t, t + s) inside the window [a, a + n): where it starts in
// the new graph, where in the tile, and its length (0: none).
struct AxisPart {
    int start = 0;
    int offset = 0;
    int length = 0;
};

AxisPart PartOf(int t, int s, int a, int n) {
    if (t >= a) {
        if (t >= a + n) {
            return {};
        }
        return {t - a, 0, t + s >= a + n ? a + n - t : s};
    }
    if (t + s <= a) {
        return {};
    }
    return {0, a - t, t + s >= a + n ? n : t + s - a};
}

}  // namespace

int AddSurface3DData(int texture_width, int texture_height, int x, int y, int width, int height,
                     int source_x, int source_y, int owner, const Surface3DData* parent,
                     int texture_x, int texture_y, const FormatKey* key) {
    if (direct3d.Direct3D == nullptr) {
        return WriteLog(kNo3DEngineText);
    }
    if (surfaces_3d.count() == Surface3DDataTable::kSize) {
        return WriteLog(kTooMany3DGraphsText);
    }
    Surface3DData* tile = nullptr;
    const int handle = surfaces_3d.Add(&tile);
    if (handle < 0) {
        return WriteLog(kNoMemoryInAddSurface3DText);
    }
    if (parent == nullptr) {
        tile->SurfaceHandle =
            AddSurfaceData(1, texture_width, texture_height, draw_settings.transparent_colour, key);
        if (tile->SurfaceHandle < 0) {
            surfaces_3d.Remove(handle);
            return -1;
        }
    } else {
        tile->SurfaceHandle = parent->SurfaceHandle;
        AddSurfaceDataRef(parent->SurfaceHandle);
        texture_x += parent->TexX;
        texture_y += parent->TexY;
        source_x += parent->SourceX;
        source_y += parent->SourceY;
    }
    auto u16 = [](int value) { return static_cast<std::uint16_t>(std::max(value, 0)); };
    tile->X = u16(x);
    tile->Y = u16(y);
    tile->Width = u16(width);
    tile->Height = u16(height);
    tile->SourceX = u16(source_x);
    tile->SourceY = u16(source_y);
    tile->TexX = u16(texture_x);
    tile->TexY = u16(texture_y);
    tile->OwnerGraph = owner;
    const SurfaceData* data = GetSurfaceData(tile->SurfaceHandle);
    const float across = 1.0f / static_cast<float>(data->Width);
    const float down = 1.0f / static_cast<float>(data->Height);
    const float left = static_cast<float>(tile->TexX) * across;
    const float right = static_cast<float>(tile->TexX + tile->Width) * across;
    const float top = static_cast<float>(tile->TexY) * down;
    const float bottom = static_cast<float>(tile->TexY + tile->Height) * down;
    const auto fx = static_cast<float>(tile->X);
    const auto fy = static_cast<float>(tile->Y);
    const auto fw = static_cast<float>(tile->Width);
    const auto fh = static_cast<float>(tile->Height);
    constexpr std::uint32_t kWhite = 0xFFFFFFFF;
    tile->Vertices[0] = {fx, fy, 0.0f, 1.0f, kWhite, left, top};
    tile->Vertices[1] = {fx + fw, fy, 0.0f, 1.0f, kWhite, right, top};
    tile->Vertices[2] = {fx, fy + fh, 0.0f, 1.0f, kWhite, left, bottom};
    tile->Vertices[3] = {fx + fw, fy + fh, 0.0f, 1.0f, kWhite, right, bottom};
    return handle;
}

Surface3DData* GetSurface3DData(int handle) {
    return surfaces_3d.Find(handle);
}

int DeleteSurface3DData(int handle) {
    Surface3DData* tile = GetSurface3DData(handle);
    if (tile == nullptr) {
        return -1;
    }
    if (ReleaseSurfaceDataRef(tile->SurfaceHandle) == 0) {
        DeleteSurfaceData(tile->SurfaceHandle);
    }
    return surfaces_3d.Remove(handle);
}

platform::DisplaySurface* GetTileTexture(const Surface3DData& tile) {
    const SurfaceData* data = GetSurfaceData(tile.SurfaceHandle);
    return data != nullptr ? data->Surface : nullptr;
}

void SetTileSideFlags(Surface3DData* tile, int graph_width, int graph_height) {
    const double ratio = static_cast<double>(graph_height) / graph_width;
    for (int corner = 0; corner < 4; ++corner) {
        const double x = tile->Vertices[corner].x;
        const double y = tile->Vertices[corner].y;
        tile->SideFlags[corner] = y <= graph_height - x * ratio ? 1 : 0;
    }
}

int SplitTextureAxis(int length, int* sizes, int single) {
    if (direct3d.SingleTextureSwitch == 1) {
        single = 1;
    }
    const auto min_size = static_cast<int>(direct3d.MinTextureSize);
    const auto max_size = static_cast<int>(direct3d.MaxTextureSize);
    int screen_width = 0;
    GetScreenResolution(&screen_width, nullptr);
    const int m = std::max(min_size, kSmallestPiece);
    if (length <= m) {
        int c = m;
        while (min_size < c && c / 2 >= length) {
            c /= 2;
        }
        sizes[0] = c;
        return 1;
    }
    int largest = max_size;
    if (single != 1 && screen_width <= max_size) {
        largest = kFirstScreenPower;
        while (largest < screen_width) {
            largest *= 2;
        }
    }
    if (direct3d.TextureSizeOverride != 0) {
        largest = static_cast<int>(direct3d.TextureSizeOverride);
    }
    int c = largest;
    while (largest > m && c > length && c > m) {
        c /= 2;
    }
    if ((single == 1 || length < screen_width) && 2 * c <= largest) {
        sizes[0] = c < length ? 2 * c : c;
        return 1;
    }
    int i = 0;
    int rest = length;
    while (i < kMaxAxisPieces) {
        sizes[i] = c;
        rest -= c;
        if (rest <= 0) {
            break;
        }
        if (rest > (3 * c) / 4 && c < largest) {
            sizes[i] = 2 * c;
            break;
        }
        while (rest < c && c > m) {
            c /= 2;
        }
        ++i;
    }
    if (i > 0 && sizes[i - 1] == sizes[i] && 2 * sizes[i - 1] <= largest) {
        --i;
        sizes[i] *= 2;
    }
    return i + 1;
}

int BuildGraphTextures(GraphRecord* graph) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    const int single = TexturesSplitFor(*graph);
    std::vector<int> widths(kMaxAxisPieces);
    std::vector<int> heights(kMaxAxisPieces);
    const int across = SplitTextureAxis(graph->Width, widths.data(), single);
    const int down = SplitTextureAxis(graph->Height, heights.data(), single);
    if (across * down > kMaxGraphTiles) {
        return WriteLogFormat(kTooManyTilesFormat, kMaxGraphTiles);
    }
    std::vector<TilePlace> places;
    for (int row = 0, y = 0; row < down; y += heights[row++]) {
        for (int column = 0, x = 0; column < across; x += widths[column++]) {
            places.push_back({x, y, widths[column], heights[row]});
        }
    }
    if ((direct3d.DeviceDesc.texture_caps & platform::kTextureSquareOnly) != 0) {
        MakeSquare(&places);
        if (places.size() > kMaxGraphTiles) {
            return WriteLogFormat(kTooManyTilesFormat, kMaxGraphTiles);
        }
    }
    graph->TileCount = 0;
    for (const TilePlace& place : places) {
        const int covered_width = std::min(place.width, graph->Width - place.x);
        const int covered_height = std::min(place.height, graph->Height - place.y);
        const int tile = AddSurface3DData(place.width, place.height, place.x, place.y,
                                          covered_width, covered_height, place.x, place.y,
                                          graph->Handle, nullptr, 0, 0, &graph->Key);
        if (tile < 0) {
            DeleteTiles(graph, graph->TileCount);
            return -1;
        }
        SetTileSideFlags(GetSurface3DData(tile), graph->Width, graph->Height);
        graph->Tiles[graph->TileCount++] = tile;
    }
    return 0;
}

int DeriveGraphTextures(GraphRecord* graph, int x, int y, int width, int height,
                        const GraphRecord* source) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    FlushVertexBatch();
    EndScene3D();
    graph->TileCount = 0;
    for (int index = 0; index < source->TileCount; ++index) {
        const Surface3DData* parent = GetSurface3DData(source->Tiles[index]);
        if (parent == nullptr) {
            DeleteTiles(graph, graph->TileCount);
            return -1;
        }
        AxisPart across{0, x, width};
        AxisPart down{0, y, height};
        if (source->TileCount != 1) {
            across = PartOf(parent->X, parent->Width, x, width);
            down = PartOf(parent->Y, parent->Height, y, height);
            if (across.length == 0 || down.length == 0) {
                continue;
            }
        }
        const int tile = AddSurface3DData(0, 0, across.start, down.start, across.length,
                                          down.length, across.offset, down.offset, graph->Handle,
                                          parent, across.offset, down.offset, nullptr);
        if (tile < 0) {
            DeleteTiles(graph, graph->TileCount);
            return -1;
        }
        SetTileSideFlags(GetSurface3DData(tile), graph->Width, graph->Height);
        graph->Tiles[graph->TileCount++] = tile;
    }
    return 0;
}

int DeleteGraphTextures(GraphRecord* graph) {
    DeleteTiles(graph, graph->TileCount);
    return 0;
}

int DeleteAllSurfaces3D() {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    const int end = surfaces_3d.used_end();
    for (int slot = 0; slot < end; ++slot) {
        const int handle = surfaces_3d.HandleInSlot(slot);
        if (handle >= 0) {
            DeleteSurface3DData(handle);
        }
    }
    return 0;
}

}  // namespace layer
