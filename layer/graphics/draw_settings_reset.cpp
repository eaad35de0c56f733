// The draw settings' defaults, restored at every start of graphics management.
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/lights.h"
#include "layer/graphics/mask_screen.h"

namespace layer {
namespace {

constexpr float kVertexDepth = 0.2f;

}  // namespace

int ResetDrawSettings() {
    const DrawSettings kept = draw_settings;
    draw_settings = DrawSettings{};
    draw_settings.restore_handler = kept.restore_handler;
    draw_settings.vsync_off = kept.vsync_off;
    draw_settings.present_option = kept.present_option;
    draw_settings.outline_in_2d = kept.outline_in_2d;
    draw_settings.present_count = kept.present_count;
    draw_settings.vertex_depth = kVertexDepth;
    draw_settings.bright_colour = 0;
    SetBrightRgb(255, 255, 255);
    ResetMaskState();
    draw_settings.draw_target = kDrawTargetBack;
    SelectDrawTarget(kDrawTargetFront);
    SetDrawClipRect(0, 0, draw_settings.target_width, draw_settings.target_height);
    draw_settings.default_light = AddDirectionalLight(1.0f, -1.0f, 1.0f);
    return 0;
}

}  // namespace layer
