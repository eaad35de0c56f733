#pragma once

// The one global, sticky state that every draw reads: where drawing goes, how source pixels
// combine with the destination, how textures are sampled, the defaults that shape new graphs
// and the matrices of the 3D device. Setters change it and it stays until changed again.

#include <cstdint>

#include "layer/core/layer_api.h"
#include "layer/core/rect.h"
#include "layer/softrender/matrix.h"

namespace layer {

// The corners of the draw area as floats, for the texture draw bodies.
struct FloatRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// A device transform and whether it was handed to the device.
struct DeviceMatrix {
    Matrix44 matrix{};
    int applied = 0;
};

// The depth and render parameters the render-state code applies; nothing changes them after
// the reset.
struct RenderParameters {
    int depth_test = 0;
    int depth_write = 0;
    int depth_function = 4;
    int depth_bias = 0;
    int cull_mode = 0;
    int texture_address_mode = 3;
    int fog = 0;
};

// The defaults that shape each new graph.
struct NewGraphDefaults {
    // Bits of new graphs; 0 = automatic.
    int colour_depth = 0;
    // The texture drawing switch: 3D drawing happens only while it is 1 and a device exists.
    int texture_drawing = 1;
    // 1: new graphs are draw targets (no alpha channel, no alpha test).
    int draw_valid = 0;
    // The alpha-test flag of new graphs while the draw-valid option is off.
    int alpha_test = 1;
    // The alpha-channel flag NewGraph gives.
    int alpha_channel = 0;
    // New 2D graphs keep their surfaces in system memory.
    int system_memory = 0;
    // Copied into each new graph; 1 only inside LoadGraphFileFlagged.
    int mode_word = 0;
    // New texture graphs are not managed by the device.
    int unmanaged = 0;
};

struct DrawSettings {
    GraphRestoreHandler restore_handler = nullptr;
    // -2 back screen, -4 front screen, or a graph handle.
    int draw_target = 0;
    // Kept by the 2D side for the current target.
    int target_word_2d = 0;
    // The screen's origin inside the window, added to every 3D vertex and viewport; only
    // non-empty while the front screen is drawn in window mode.
    Rect screen_offset;
    // Right and bottom exclusive.
    Rect draw_area;
    FloatRect draw_area_float;
    int target_width = 0;
    int target_height = 0;
    RenderParameters render;
    // z of every pre-transformed vertex.
    float vertex_depth = 0.0f;
    // 0 nearest, 1 bilinear.
    int filter_mode = 0;
    // A BlendMode code, stored as given.
    int blend_mode = 0;
    // 0..255.
    int blend_parameter = 0;
    // Graph handle of the blend image, -1 none.
    int blend_image = -1;
    int blend_image_parameter1 = 0;
    int blend_image_parameter2 = 0;
    // 0x00RRGGBB multiplied into every source colour.
    std::uint32_t bright_colour = 0xFFFFFF;
    // The 3D vertex colour: (alpha << 24) | bright colour, alpha 255 in blend mode 0.
    std::uint32_t draw_colour = 0xFFFFFFFF;
    NewGraphDefaults new_graph;
    // Forces outline boxes to the 2D route; nothing sets it.
    int outline_in_2d = 0;
    // 1: presenting does not wait for the vertical blank.
    int vsync_off = 0;
    // Read by presenting; nothing sets it.
    int present_option = 0;
    // 0x00RRGGBB of new surfaces.
    std::uint32_t transparent_colour = 0;
    // 1 while the draw area has no pixels: every draw then returns 0 at once.
    int area_empty = 0;
    // The current draw surface lies in video memory (set by the 2D target switch).
    int target_in_video_memory = 0;
    std::uint64_t present_count = 0;
    DeviceMatrix world;
    DeviceMatrix view;
    DeviceMatrix projection;
    // Maps projected coordinates to the pixels of the whole target.
    Matrix44 target_projection{};
    // Maps projected coordinates to the pixels of the draw area, and its inverse.
    Matrix44 area_screen{};
    Matrix44 area_screen_inverse{};
    // World x view x projection x target projection and the camera's axes; kept current by
    // every matrix setter.
    Matrix44 combined{};
    int combined_valid = 0;
    Vector3 camera_axes[3]{};
    // Handle of the default light made by the reset.
    int default_light = -1;
};

extern DrawSettings draw_settings;

}  // namespace layer
