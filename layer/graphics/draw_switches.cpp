// Switches of the draw settings: texture drawing, the vertical-blank wait and the count of
// presented frames.
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"

namespace layer {

int SetNoDirect3D(int flag) {
    direct_draw.flags.no_direct3d = flag != 0 || direct_draw.flags.direct_draw_less != 0 ? 1 : 0;
    return 0;
}

int SetTextureDrawing(int flag) {
    if (direct_draw.object == nullptr) {
        SetNoDirect3D(flag == 0 ? 1 : 0);
    }
    draw_settings.new_graph.texture_drawing = flag;
    return 0;
}

int GetTextureDrawing() {
    return draw_settings.new_graph.texture_drawing;
}

int SetVsyncWait(int flag) {
    draw_settings.vsync_off = flag == 0 ? 1 : 0;
    return 0;
}

int GetVsyncWait() {
    return draw_settings.vsync_off == 0 ? 1 : 0;
}

int ResetPresentCount() {
    draw_settings.present_count = 0;
    return 0;
}

int CountPresent() {
    ++draw_settings.present_count;
    return 0;
}

std::uint64_t GetPresentCount() {
    return draw_settings.present_count;
}

}  // namespace layer
