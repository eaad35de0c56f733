// 2D surface records and the 2D tiles of graphs.
#include "layer/graphics/surface_2d.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/surface_data.h"

namespace layer {
namespace {

std::uint16_t Short(int value) {
    return static_cast<std::uint16_t>(value);
}

// Calls `each` with every 2D surface of the graph, OR-ing the results.
template <typename Each>
int ForEachTile(GraphRecord* graph, Each each) {
    int result = 0;
    for (int tile = 0; tile < graph->TileCount; ++tile) {
        result |= each(graph->Tiles[tile]);
    }
    return result;
}

}  // namespace

int AddSurface2D(int width, int height, int offset_x, int offset_y, int owner,
                 const Surface2D* source, int source_x, int source_y, const FormatKey* key) {
    if (IsDirectDrawMissing() != 0) {
        return WriteLog(kLayerNotStartedText);
    }
    Surface2D* surface = nullptr;
    const int handle = surfaces_2d.Add(&surface);
    if (handle < 0) {
        // A full table has logged its own line.
        return surfaces_2d.count() < Surface2DTable::kSize ? WriteLog(kNoMemoryInAddSurface2DText)
                                                           : -1;
    }
    surface->OffsetX = Short(offset_x);
    surface->OffsetY = Short(offset_y);
    surface->SourceX = Short(source_x);
    surface->SourceY = Short(source_y);
    surface->Width = Short(width);
    surface->Height = Short(height);
    surface->Owner = owner;
    if (source != nullptr) {
        surface->SurfaceDataHandle = source->SurfaceDataHandle;
        if (AddSurfaceDataRef(surface->SurfaceDataHandle) < 0) {
            surface->SurfaceDataHandle = -1;
        }
    } else {
        surface->SurfaceDataHandle =
            AddSurfaceData(1, width, height, draw_settings.transparent_colour, key);
    }
    if (surface->SurfaceDataHandle < 0) {
        surfaces_2d.Remove(handle);
        return WriteLog(kNoMemoryInAddSurface2DText);
    }
    return handle;
}

int DeleteSurface2D(int handle) {
    Surface2D* surface = GetSurface2D(handle);
    if (surface == nullptr) {
        return 0;
    }
    if (ReleaseSurfaceDataRef(surface->SurfaceDataHandle) == 0) {
        DeleteSurfaceData(surface->SurfaceDataHandle);
    }
    surfaces_2d.Remove(handle);
    return 0;
}

int SetSurface2DDeleteNotice(int handle, int* notice) {
    Surface2D* surface = GetSurface2D(handle);
    if (surface != nullptr) {
        surface->DeleteNotice = notice;
        if (notice != nullptr) {
            *notice = 0;
        }
    }
    return 0;
}

Surface2D* GetSurface2D(int handle) {
    return surfaces_2d.Find(handle);
}

int DeleteAllSurfaces2D() {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    surfaces_2d.DeleteAll([](int handle) { DeleteSurface2D(handle); });
    return 0;
}

int CountSurfaces2D() {
    return surfaces_2d.count();
}

int CreateGraphSurface2D(GraphRecord* graph) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const int surface =
        AddSurface2D(graph->Width, graph->Height, 0, 0, graph->Handle, nullptr, 0, 0, &graph->Key);
    if (surface < 0) {
        return -1;
    }
    graph->Tiles[0] = surface;
    graph->TileCount = 1;
    return 0;
}

// The new surface shows the rectangle at (x, y) of the source's own picture, wherever that
// picture lies in the shared surface data.
int DeriveGraphSurface2D(GraphRecord* graph, int x, int y, int width, int height,
                         const GraphRecord* source) {
    const Surface2D* tile = source->TileCount > 0 ? GetSurface2D(source->Tiles[0]) : nullptr;
    if (tile == nullptr) {
        return -1;
    }
    const int surface = AddSurface2D(width, height, 0, 0, graph->Handle, tile, x + tile->SourceX,
                                     y + tile->SourceY, &graph->Key);
    if (surface < 0) {
        return -1;
    }
    graph->Tiles[0] = surface;
    graph->TileCount = 1;
    return 0;
}

int DeleteGraphSurfaces2D(GraphRecord* graph) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    return ForEachTile(graph, [](int tile) { return DeleteSurface2D(tile); });
}

int RestoreGraphSurfaces2D(GraphRecord* graph) {
    return ForEachTile(graph, [](int tile) {
        const Surface2D* surface = GetSurface2D(tile);
        return surface == nullptr ? -1 : RestoreSurfaceData(surface->SurfaceDataHandle);
    });
}

int RestoreSurfaces2D() {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    int result = RestoreLostScreenSurfaces();
    for (int slot = 0; slot < surfaces_2d.used_end(); ++slot) {
        if (const Surface2D* surface = surfaces_2d.AtSlot(slot); surface != nullptr) {
            result |= RestoreSurfaceData(surface->SurfaceDataHandle);
        }
    }
    return result;
}

int ReleaseSurfaceDataOfSurfaces2D() {
    for (int slot = 0; slot < surfaces_2d.used_end(); ++slot) {
        if (const Surface2D* surface = surfaces_2d.AtSlot(slot); surface != nullptr) {
            ReleaseSurfaceDataSurfaces(surface->SurfaceDataHandle);
        }
    }
    return 0;
}

int RecreateSurfaceDataOfSurfaces2D() {
    for (int slot = 0; slot < surfaces_2d.used_end(); ++slot) {
        if (const Surface2D* surface = surfaces_2d.AtSlot(slot); surface != nullptr) {
            CreateSurfaceDataSurface(surface->SurfaceDataHandle);
            SetSurfaceDataColourKey(surface->SurfaceDataHandle);
        }
    }
    return 0;
}

int FillGraphSurfaces2D(GraphRecord* graph, int red, int green, int blue, int alpha) {
    EndScene3D();
    FlushVertexBatch();
    for (int tile = 0; tile < graph->TileCount; ++tile) {
        const Surface2D* surface = GetSurface2D(graph->Tiles[tile]);
        if (surface == nullptr) {
            return -1;
        }
        FillSurfaceData(surface->SurfaceDataHandle, red, green, blue, alpha);
    }
    return 0;
}

}  // namespace layer
