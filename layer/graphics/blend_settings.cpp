// Blend mode, blend image, bright colour and sampling of the draw settings.
#include <algorithm>

#include "layer/core/message_pump.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

int ClampByte(int value) {
    return std::clamp(value, 0, 255);
}

}  // namespace

// The 3D vertex colour: full alpha in blend mode 0, the parameter otherwise.
int UpdateDrawColour3D() {
    const std::uint32_t alpha = draw_settings.blend_mode == 0
                                    ? 255u
                                    : static_cast<std::uint32_t>(draw_settings.blend_parameter);
    draw_settings.draw_colour = alpha << 24 | draw_settings.bright_colour;
    return 0;
}

int SetBlendMode(int mode, int parameter) {
    if (mode == draw_settings.blend_mode && parameter == draw_settings.blend_parameter) {
        return 0;
    }
    WaitWhileInactive();
    draw_settings.blend_mode = mode;
    draw_settings.blend_parameter = ClampByte(parameter);
    UpdateDrawColour3D();
    return 0;
}

int SetBlendImage(int graph, int parameter1, int parameter2) {
    if (graph == draw_settings.blend_image && parameter1 == draw_settings.blend_image_parameter1 &&
        parameter2 == draw_settings.blend_image_parameter2) {
        return 0;
    }
    if (graph != -1 && IsGraphHandleLive(graph) == 0) {
        return -1;
    }
    draw_settings.blend_image = graph;
    WaitWhileInactive();
    draw_settings.blend_image_parameter1 = ClampByte(parameter1);
    draw_settings.blend_image_parameter2 = ClampByte(parameter2);
    if (graphics_core.use_3d != 0) {
        SetBlendTexture3D(GetGraphRecord(graph), draw_settings.blend_image_parameter1,
                          draw_settings.blend_image_parameter2);
    }
    SetBlendImageWeights2D(GetGraphRecord(graph), draw_settings.blend_image_parameter1,
                           draw_settings.blend_image_parameter2);
    return 0;
}

int GetBlendImage(int* graph, int* parameter1, int* parameter2) {
    *graph = draw_settings.blend_image;
    *parameter1 = draw_settings.blend_image_parameter1;
    *parameter2 = draw_settings.blend_image_parameter2;
    return 0;
}

int SetBrightColour(std::uint32_t colour) {
    const std::uint32_t bright = colour & 0xFFFFFF;
    if (bright != draw_settings.bright_colour) {
        draw_settings.bright_colour = bright;
        UpdateDrawColour3D();
    }
    return 0;
}

int SetBrightRgb(int red, int green, int blue) {
    const std::uint32_t stored = draw_settings.bright_colour;
    if (red == static_cast<int>(stored >> 16 & 0xFF) &&
        green == static_cast<int>(stored >> 8 & 0xFF) && blue == static_cast<int>(stored & 0xFF)) {
        return 0;
    }
    draw_settings.bright_colour = static_cast<std::uint32_t>(ClampByte(red)) << 16 |
                                  static_cast<std::uint32_t>(ClampByte(green)) << 8 |
                                  static_cast<std::uint32_t>(ClampByte(blue));
    if (graphics_core.use_3d != 0) {
        UpdateDrawColour3D();
    }
    return 0;
}

int SetTextureFilterMode(int mode) {
    if (mode == draw_settings.filter_mode) {
        return 0;
    }
    draw_settings.filter_mode = mode;
    if (graphics_core.use_3d != 0) {
        SetTextureFilter3D(mode);
    }
    return 0;
}

int GetTextureFilterMode() {
    return draw_settings.filter_mode;
}

}  // namespace layer
