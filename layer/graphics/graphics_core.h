#pragma once

// The graphics management: its started flag, the graph and surface-data tables and whether
// 3D drawing is in use.

#include "layer/graphics/graph_record.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"

namespace platform {
struct Window;
}

namespace layer {

struct GraphicsCore {
    int started = 0;
    GraphTable graphs;
    SurfaceDataTable surface_data;
    int use_3d = 0;
    platform::Window* window = nullptr;
};

extern GraphicsCore graphics_core;
// The 2D surfaces belong to the display side and outlive graphics management restarts.
extern Surface2DTable surfaces_2d;

int StartGraphicsManagement();
int EndGraphicsManagement();

}  // namespace layer
