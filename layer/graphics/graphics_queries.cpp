// Small questions about the screen mode, graphs and texture drawing.
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"

namespace layer {

int GetGraphDimensions(int graph, int* width, int* height) {
    if (graph == kDrawTargetBack || graph == kDrawTargetFront) {
        return GetScreenResolution(width, height);
    }
    const GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    if (width != nullptr) {
        *width = record->Width;
    }
    if (height != nullptr) {
        *height = record->Height;
    }
    return 0;
}

int QueryScreenMode(int* width, int* height, int* bits) {
    GetScreenResolution(width, height);
    if (bits != nullptr) {
        *bits = direct_draw.screen_bits == 0 ? 16 : direct_draw.screen_bits;
    }
    return 0;
}

int IsTextureDrawingActive() {
    return draw_settings.new_graph.texture_drawing == 1 && graphics_core.use_3d != 0 &&
                   IsSoftwareDrawMode() == 0 && HasDirect3DObject() != 0
               ? 1
               : 0;
}

}  // namespace layer
