// A lost display: surfaces restored in place, or the whole display side rebuilt, every graph
// flagged lost and the restore handler asked to load the pictures again.
#include "layer/core/core_settings.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graph_restore.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/mask_screen.h"
#include "layer/graphics/surface_2d.h"
#include "layer/media/font_system.h"
#include "layer/media/movie_handles.h"

namespace layer {

int SetGraphRestoreHandler(GraphRestoreHandler handler) {
    draw_settings.restore_handler = handler != nullptr ? handler : ReloadLostGraphs;
    return 0;
}

int HasGraphRestoreHandler() {
    return draw_settings.restore_handler != nullptr ? 1 : 0;
}

int RestoreAllGraphs() {
    ReloadLostGraphs(0);
    return 0;
}

int MarkGraphsLost() {
    int count = 0;
    for (int slot = 0; slot < graphics_core.graphs.used_end(); ++slot) {
        if (GraphRecord* graph = graphics_core.graphs.AtSlot(slot); graph != nullptr) {
            graph->LostFlag = 1;
            ++count;
        }
    }
    if (draw_settings.restore_handler != nullptr) {
        draw_settings.restore_handler(count);
    }
    RecreateAllFonts();
    return 0;
}

int RestoreGraphSurfaces(int handle) {
    GraphRecord* graph = GetGraphRecord(handle);
    if (graph == nullptr) {
        return -1;
    }
    if (graph->Key.TextureFlag == 0) {
        RestoreGraphSurfaces2D(graph);
    }
    RestoreMovieSurfaces(graph->Movie);
    return 0;
}

int RecreateGraphicsAfterLoss() {
    if (core_settings.graphics_off == 0) {
        ReleaseDirect3DObject();
        EndMaskScreen();
        ReleaseMainSurfaces();
    }
    EndInputSystem();
    // Before the display side has started there is nothing to rebuild.
    if (core_settings.graphics_off != 0 || direct_draw.flags.started == 0) {
        return 0;
    }
    ReleaseSurfaceDataOfSurfaces2D();
    ReleaseMainClipper();
    if (GetGdiSurfaceMode() == 0) {
        ReleaseDirectDrawObject();
        RecreateDirectDrawObject();
    } else {
        ReapplyDisplaySettings();
        RecreateSurfaceDataOfSurfaces2D();
        CreateMainClipper();
    }
    CreateMainSurfaces();
    ReapplyScreenPalette();
    SetDrawTarget2D(draw_settings.draw_target, draw_settings.draw_target);
    AcquireDirect3DObject();
    EraseDrawTarget();
    PresentFrame();
    MarkGraphsLost();
    // The rebuilt surfaces of movie graphs get their frames again at the next draw.
    ReopenAllMovieStreams();
    ForgetDeliveredMovieFrames();
    const DrawSettings kept = draw_settings;
    SetWorldMatrix(kept.world.matrix);
    SetViewMatrix(kept.view.matrix);
    SetProjectionMatrix(kept.projection.matrix);
    SetTargetProjectionMatrix(kept.target_projection);
    return 0;
}

}  // namespace layer
