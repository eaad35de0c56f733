// The graphics side's part of string drawing as it stands until its 2D surfaces and software
// screens are wired here: no work surfaces, no screens to draw into. Each entry of the table
// below gives way to the graphics side's own function when that arrives.
#include "layer/graphics/graphics_services.h"
#include "layer/media/text_draw_services.h"

namespace layer {
namespace {

int DirectDrawMissing() {
    return IsDirectDrawMode() != 0 && GetDirectDrawObject() == nullptr ? 1 : 0;
}

int NoWorkSurface(int, int*) {
    return -1;
}
int NoSurfaceToDelete(int) {
    return -1;
}
MEMIMG* NoImage(int) {
    return nullptr;
}
int NoSurfaceDraw(int, int, int) {
    return -1;
}
int NoStretchedDraw(const Rect&, int) {
    return -1;
}
int SoftwareDrawingOn() {
    return 1;
}
MEMIMG* NoScreen() {
    return nullptr;
}
MEMIMG* NoPreparedDraw(const Rect&, int*) {
    return nullptr;
}
int Nothing() {
    return 0;
}
int NothingForRect(const Rect&) {
    return 0;
}

// Screen pixels are R5G6B5 at 16 bits and X8R8G8B8 otherwise.
int SplitScreenPixel(int pixel, int* red, int* green, int* blue) {
    if (GetScreenColourBits() == 16) {
        *red = (pixel >> 11 & 0x1F) * 255 / 31;
        *green = (pixel >> 5 & 0x3F) * 255 / 63;
        *blue = (pixel & 0x1F) * 255 / 31;
    } else {
        *red = pixel >> 16 & 0xFF;
        *green = pixel >> 8 & 0xFF;
        *blue = pixel & 0xFF;
    }
    return 0;
}

int SameColour(int pixel) {
    return pixel;
}

}  // namespace

TextDrawServices text_draw_services{
    DirectDrawMissing, NoWorkSurface,       NoSurfaceToDelete, NoImage,          NoSurfaceDraw,
    NoStretchedDraw,   SoftwareDrawingOn,   NoScreen,          NoScreen,         NoPreparedDraw,
    Nothing,           NothingForRect,      NothingForRect,    Nothing,          Nothing,
    NothingForRect,    GetScreenColourBits, RgbToPixel,        SplitScreenPixel, SameColour,
};

}  // namespace layer
