#pragma once

// The global state of the display side: the display object with its clipper and palette, the
// screen mode and its format, the main surfaces and software screens, the 2D draw target and
// the flags that choose every graphics route.

#include <cstdint>

#include "layer/media/pixel_format.h"
#include "layer/softrender/memimg.h"
#include "platform/display.h"

namespace layer {

// The layer's hold on the display object.
struct DirectDrawObject {
    platform::DisplayObject* display = nullptr;
};

struct ScreenModeFlags {
    // 1: no display surfaces at all; only ever goes from 0 to 1.
    int direct_draw_less = 0;
    // 1: draws go to software screens through the software renderer.
    int software_drawing = 0;
    int no_direct3d = 0;
    int gdi_mode_requested = 0;
    // -1 unknown: the next GDI mode switch acts whatever it is asked.
    int gdi_state_applied = -1;
    // 1 while the display mode differs from the desktop.
    int display_changed = 0;
    // 1 when system-drawing copies were measured faster than surface copies.
    int bitblt_for_copies = 0;
    int multithreaded = 0;
    int started = 0;
    // Set during the first start and never cleared: the 2D routes end an open 3D scene first.
    int started_once = 0;
};

// Format classes of the screen: what the software renderer can draw into directly.
enum ScreenFormatClass : int {
    kScreenFormat565 = 0,
    kScreenFormat555 = 1,
    kScreenFormat8888 = 2,
    kScreenFormatOther = 3,
};

struct DirectDrawContext {
    // Null before start-up and after the end.
    DirectDrawObject* object = nullptr;
    DirectDrawObject object_storage;
    platform::DisplayClipper* clipper = nullptr;
    platform::DisplayPalette* palette = nullptr;
    platform::DisplayPaletteEntry palette_entries[256];
    platform::DisplayCaps caps;
    PixelFormat screen_format;
    DdPixelFormat screen_dd_format;
    int screen_format_class = kScreenFormat565;
    // 0 while unset: the readers give 640, 480 and 16.
    int screen_width = 0;
    int screen_height = 0;
    int screen_bits = 0;
    // The depth asked for, against which the software screens compare the real one.
    int requested_bits = 0;
    // 0 lets the display choose.
    int refresh = 0;
    std::uint32_t cooperative_flags = 0;
    // -1 when no overlay surface is used.
    int overlay_format_index = -1;
    DdPixelFormat overlay_format;
    // Main surfaces.
    platform::DisplaySurface* primary = nullptr;
    platform::DisplaySurface* back = nullptr;
    platform::DisplaySurface* separate_front = nullptr;
    platform::DisplaySurface* half_size = nullptr;
    platform::DisplaySurface* work = nullptr;
    platform::DisplaySurface* second_work = nullptr;
    platform::DisplaySurface* z_buffer = nullptr;
    // 1 when the back surface is the flip chain's back buffer, released with the primary.
    int back_in_flip_chain = 0;
    // 1 while the software back screen lies in the locked back surface.
    int back_image_over_surface = 0;
    // Software screens, made only in software drawing.
    MEMIMG primary_image;
    MEMIMG back_image;
    MEMIMG depth_image;
    int software_screens = 0;
    // The 2D draw target: the surface (null for a software image), the target's position
    // inside it, and the images the software renderer draws into.
    platform::DisplaySurface* draw_surface = nullptr;
    int draw_offset_x = 0;
    int draw_offset_y = 0;
    MEMIMG* draw_image = nullptr;
    MEMIMG* draw_depth_image = nullptr;
    ScreenModeFlags flags;
    // The separate-front request; stored only, since no supported system needs one.
    int separate_front_mode = 0;
    // Set by each software presentation: the window may differ from the software front screen,
    // which the next front-screen draw reads back first.
    int capture_needed = 0;
    // Timing of the last mode change (ms and Hz; -1 unknown).
    int last_mode_change_time = 0;
    int display_refresh_rate = -1;
    int frame_period = -1;
    int vertical_blank_sleep_threshold = -1;
    int last_vertical_blank_wait = 0;
};

extern DirectDrawContext direct_draw;

// Getters besides those of graphics_services.h; none has side effects.
int IsSoftwareDrawMode();
int GetDirectDrawCaps(platform::DisplayCaps* caps);
// The chosen overlay format, or null when none was chosen or the screen is smaller than
// 640 x 400.
const DdPixelFormat* GetOverlayPixelFormat();
// The screen's pixel layout.
const PixelFormat* GetScreenPixelFormat();
// 1 when the display side refuses everything: display mode without a display object.
int IsDirectDrawMissing();
// The software screens' colour type: 1 (X8R8G8B8) unless the requested depth is 16, then 0.
int SoftwareScreenColourType();
// Software drawing on a screen other than 8 bits: graphs and screens are software images.
int IsSoftwareScreenDrawing();

}  // namespace layer
