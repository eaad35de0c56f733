// Boxes, clearing the draw target and copying the screen into a graph.
#include <algorithm>

#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_routes_2d.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_capture_2d.h"
#include "layer/softrender/draw_state.h"

namespace layer {
namespace {

bool BoxesOnTextures(bool outline) {
    return IsTextureDrawingActive() != 0 && (!outline || draw_settings.outline_in_2d == 0);
}

// The box's rectangle for the mask and the front screen, in either corner order.
Rect BoxRect(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

int PutBoxShape(int x1, int y1, int x2, int y2, int colour, bool outline) {
    if (draw_settings.area_empty != 0) {
        return 0;
    }
    const bool textured = BoxesOnTextures(outline);
    WaitIfInactive();
    const auto value = static_cast<std::uint32_t>(colour);
    return RunFramedDraw(BoxRect(x1, y1, x2, y2),
                         textured && draw_settings.blend_mode == BlendSubtractive, [&] {
                             if (textured) {
                                 return outline ? OutlineBoxTextured(x1, y1, x2, y2, value)
                                                : FillBoxTextured(x1, y1, x2, y2, value);
                             }
                             return outline ? DrawBoxOutline2D(x1, y1, x2, y2, value)
                                            : DrawBox2D(x1, y1, x2, y2, value);
                         });
}

}  // namespace

int PutBox(int x1, int y1, int x2, int y2, int colour, int fill) {
    return fill != 0 ? PutFilledBox(x1, y1, x2, y2, colour) : PutBoxOutline(x1, y1, x2, y2, colour);
}

int PutFilledBox(int x1, int y1, int x2, int y2, int colour) {
    return PutBoxShape(x1, y1, x2, y2, colour, false);
}

int PutBoxOutline(int x1, int y1, int x2, int y2, int colour) {
    return PutBoxShape(x1, y1, x2, y2, colour, true);
}

int EraseDrawTarget() {
    WaitIfInactive();
    if (graphics_core.use_3d != 0) {
        ClearTargetTexture();
    }
    ClearDrawScreen2D();
    if (DrawsOnSoftwareFront()) {
        Rect screen;
        GetScreenResolution(&screen.right, &screen.bottom);
        PresentScreenRect(screen);
    }
    return 0;
}

int CopyScreenToGraph(int x1, int y1, int x2, int y2, int handle, int flag) {
    GraphRecord* graph = GetGraphRecord(handle);
    if (graph == nullptr) {
        return -1;
    }
    WaitIfInactive();
    EndScene3D();
    return graph->Key.TextureFlag != 0 ? CaptureScreenTextured(x1, y1, x2, y2, graph, flag)
                                       : CaptureScreenToGraph2D(x1, y1, x2, y2, graph);
}

}  // namespace layer
