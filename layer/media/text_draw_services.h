#pragma once

// What string drawing asks of the graphics side beyond graphics_services.h: the fonts' 2D
// work surfaces, the software screens, the 2D draw preparation over DirectDraw surfaces and
// the front-screen steps. The text code calls them through `text_draw_services`; tests put
// fakes in its place.

#include "layer/core/rect.h"
#include "layer/softrender/memimg.h"

namespace layer {

struct TextDrawServices {
    // 1 while DirectDraw is in use and its object does not exist.
    int (*graphics_not_ready)();
    // A 2D surface of the screen's size in the screen's depth, a software image in system
    // memory, with an alpha channel when asked; `lost` becomes 1 when the surface dies.
    // Its handle, or -1.
    int (*add_work_surface)(int alpha_channel, int* lost);
    int (*delete_surface)(int surface);
    // The software image of a live 2D surface, or null.
    MEMIMG* (*surface_image)(int surface);
    // The surface onto the draw target at (x, y), or stretched over the rectangle, with its
    // transparent colour, under the current blend mode and draw area.
    int (*draw_surface)(int x, int y, int surface);
    int (*draw_surface_stretched)(const Rect& destination, int surface);
    // 1 while the screens are software images.
    int (*software_drawing)();
    // The software image of the draw target (the back screen, the front screen or a graph),
    // and the mask screen while mask drawing is on.
    MEMIMG* (*back_image)();
    MEMIMG* (*mask_image)();
    // A software draw over a DirectDraw draw target: the image to draw into (null when
    // refused) and whether colours must be converted from the screen's format into it.
    MEMIMG* (*prepare_draw)(const Rect& destination, int* convert_colours);
    int (*finish_draw)();
    int (*begin_masked_rect)(const Rect& rect);
    int (*end_masked_rect)(const Rect& rect);
    // The front screen's software copy: taken when pending, shown after a draw.
    int (*capture_pending)();
    int (*capture_screen)();
    int (*present_rect)(const Rect& rect);
    // The screen's colour depth, and a colour as a pixel of the screen's format and back.
    int (*screen_bits)();
    int (*rgb_to_pixel)(int red, int green, int blue);
    int (*pixel_to_rgb)(int pixel, int* red, int* green, int* blue);
    // A pixel of the screen's format in the layout software drawing uses for that depth.
    int (*convert_colour)(int pixel);
};

extern TextDrawServices text_draw_services;

}  // namespace layer
