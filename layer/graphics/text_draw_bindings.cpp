// The graphics side's part of string drawing: work surfaces for whole strings, the software
// draw image, software draws over display surfaces and the front-screen steps.
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_routes_2d.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/front_screen.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/mask_screen.h"
#include "layer/graphics/screen_colours.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_value.h"
#include "layer/media/text_draw_services.h"

namespace layer {
namespace {

int AddWorkSurface(int alpha_channel, int* lost) {
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    FormatKey key;
    key.SystemMemFlag = 1;
    key.AlphaChFlag = static_cast<std::uint8_t>(alpha_channel != 0 ? 1 : 0);
    key.ColorBitDepth = static_cast<std::uint8_t>(GetScreenColourBits() == 16 ? 16 : 32);
    const int surface = AddSurface2D(width, height, 0, 0, -1, nullptr, 0, 0, &key);
    if (surface >= 0) {
        SetSurface2DDeleteNotice(surface, lost);
    }
    return surface;
}

MEMIMG* SurfaceImage(int surface) {
    const Surface2D* record = GetSurface2D(surface);
    SurfaceData* data = record != nullptr ? GetSurfaceData(record->SurfaceDataHandle) : nullptr;
    return data != nullptr && TestMemImgValid(&data->Image) != 0 ? &data->Image : nullptr;
}

int DrawWorkSurface(int x, int y, int surface) {
    return DrawSurface2D(x, y, surface, 1);
}

int DrawWorkSurfaceStretched(const Rect& destination, int surface) {
    return DrawGraphStretched2D(destination.left, destination.top, destination.right,
                                destination.bottom, nullptr, 1, surface);
}

// The software image of the draw target, so that text lands wherever the other draws do.
MEMIMG* DrawTargetImage() {
    MEMIMG* image = direct_draw.draw_image;
    return image != nullptr && TestMemImgValid(image) != 0 ? image : nullptr;
}

// Mask drawing is requested by default but never in effect, since the mask screen never
// exists: the text then goes where it would go without a mask.
MEMIMG* MaskImage() {
    return IsMaskActive() != 0 ? nullptr : DrawTargetImage();
}

MEMIMG* PrepareTextDraw(const Rect& destination, int* convert_colours) {
    EndScene3D();
    FlushVertexBatch();
    if (PrepareDraw2D(nullptr, 0, nullptr, destination, 1, nullptr, nullptr, 1) < 0) {
        return nullptr;
    }
    *convert_colours = draw_work_2d.destination_through_work != 0 && draw_work_2d.convert != 0;
    return draw_work_2d.destination_image;
}

int BeginMasked(const Rect& rect) {
    return BeginMaskedRect(rect.left, rect.top, rect.right, rect.bottom);
}

int EndMasked(const Rect& rect) {
    return EndMaskedRect(rect.left, rect.top, rect.right, rect.bottom);
}

int CapturePending() {
    return direct_draw.capture_needed;
}

int SplitPixel(int pixel, int* red, int* green, int* blue) {
    return PixelToRgb(static_cast<std::uint32_t>(pixel), red, green, blue);
}

int ToRendererColour(int pixel) {
    const PixelFormat& renderer = *GetMemImgPixelFormat(SoftwareScreenColourType(), 0, 0);
    return static_cast<int>(
        ConvertPixelValue(renderer, direct_draw.screen_format, static_cast<std::uint32_t>(pixel)));
}

}  // namespace

TextDrawServices text_draw_services{
    IsDirectDrawMissing,
    AddWorkSurface,
    DeleteSurface2D,
    SurfaceImage,
    DrawWorkSurface,
    DrawWorkSurfaceStretched,
    IsSoftwareScreenDrawing,
    DrawTargetImage,
    MaskImage,
    PrepareTextDraw,
    FinishDraw2D,
    BeginMasked,
    EndMasked,
    CapturePending,
    CaptureScreenToSoftImage,
    PresentScreenRect,
    GetScreenColourBits,
    RgbToPixel,
    SplitPixel,
    ToRendererColour,
};

}  // namespace layer
