#pragma once

// 2D surfaces: each shows a rectangle of a surface-data record; a 2D graph keeps its picture
// in them.

#include <cstdint>

#include "layer/core/handle_table.h"
#include "layer/graphics/format_key.h"
#include "layer/graphics/graph_record.h"
#include "layer/softrender/memimg.h"

namespace layer {

struct Surface2D {
    int CheckNo = 0;
    int* DeleteNotice = nullptr;
    // Position of this surface's picture inside its graph.
    std::uint16_t OffsetX = 0;
    std::uint16_t OffsetY = 0;
    // Position of the shown rectangle inside the surface data.
    std::uint16_t SourceX = 0;
    std::uint16_t SourceY = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    // The graph that owns the surface, -1 for the glyph cache.
    int Owner = -1;
    int SurfaceDataHandle = -1;
};

using Surface2DTable = HandleTable<Surface2D, kSurface2DHandleKind>;

int AddSurface2D(int width, int height, int offset_x, int offset_y, int owner,
                 const Surface2D* source, int source_x, int source_y, const FormatKey* key);
int DeleteSurface2D(int handle);
int SetSurface2DDeleteNotice(int handle, int* notice);
Surface2D* GetSurface2D(int handle);
int DeleteAllSurfaces2D();
int CreateGraphSurface2D(GraphRecord* graph);
int DeriveGraphSurface2D(GraphRecord* graph, int x, int y, int width, int height,
                         const GraphRecord* source);
int DeleteGraphSurfaces2D(GraphRecord* graph);
int RestoreGraphSurfaces2D(GraphRecord* graph);
int ReleaseSurfaceDataOfSurfaces2D();
int RecreateSurfaceDataOfSurfaces2D();
int FillGraphSurfaces2D(GraphRecord* graph, int red, int green, int blue, int alpha);
int CountSurfaces2D();

// The 2D side of the draw target switch.
int SetDrawTarget2D(int target, int old_target);
// The picture of the blend image's first 2D surface, or null.
MEMIMG* GetBlendImageMemImg();
int SetBlendImageWeights2D(const GraphRecord* graph, int parameter1, int parameter2);

}  // namespace layer
