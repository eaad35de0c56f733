// Graphics management: the graph and surface-data tables, the draw settings and the fonts
// start with a screen mode and end before the next one.
#include "layer/graphics/graphics_core.h"

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/lights.h"
#include "layer/graphics/mask_screen.h"
#include "layer/media/font_system_start.h"

namespace layer {

GraphicsCore graphics_core;
Surface2DTable surfaces_2d;

int StartGraphicsManagement() {
    if (graphics_core.started != 0) {
        return 0;
    }
    WriteLog(kManagementStartText);
    IncreaseLogIndent();
    graphics_core.graphs.Reset();
    graphics_core.surface_data.Reset();
    graphics_core.use_3d = 0;
    graphics_core.started = 1;
    DeleteAllSurfaces2D();
    if (HasDirect3DObject() != 0) {
        DeleteAllSurfaces3D();
        graphics_core.use_3d = 1;
        WriteLog(kUsing3DText);
    } else {
        WriteLog(kNotUsing3DText);
    }
    ResetDrawSettings();
    StartFontSystem();
    DecreaseLogIndent();
    WriteLog(kManagementStartedText);
    return 0;
}

int EndGraphicsManagement() {
    if (graphics_core.started == 0) {
        return 0;
    }
    EndMaskScreen();
    DeleteAllMasks();
    DisposeAllGraphs(0);
    DeleteAllLights();
    EndFontSystem();
    graphics_core.started = 0;
    WriteLog(kManagementEndedText);
    return 0;
}

int IsGraphicsStarted() {
    return graphics_core.started;
}

int GetGraphCount() {
    return graphics_core.graphs.count();
}

}  // namespace layer
