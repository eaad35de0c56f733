// Captures of the draw target into 2D graphs, between software images and display surfaces in
// whichever combination the target and the graph have.
#include "layer/graphics/screen_capture_2d.h"

#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/front_screen.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/screen_colours.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/softrender/memimg_convert.h"
#include "layer/softrender/memimg_runs.h"

namespace layer {
namespace {

constexpr std::uint32_t kOpaqueAlpha = 0xFF;

// A picture record over locked surface pixels; the pixels stay the surface's.
GraphImage PixelsAsImage(const platform::SurfaceDescription& locked, int width, int height) {
    GraphImage image;
    image.format = direct_draw.screen_format;
    image.width = width;
    image.height = height;
    image.pitch = locked.pitch;
    image.pixels = locked.pixels;
    return image;
}

// A captured screen is opaque: where the format has alpha bits, the rectangle's alpha becomes
// 255, written through the unused-bit fill with the alpha bits standing for the unused ones.
void MakeOpaque(const Rect& rect, std::uint8_t* pixels, int pitch, const PixelFormat& format) {
    if (format.alpha_mask == 0) {
        return;
    }
    PixelFormat alpha_bits = format;
    alpha_bits.unused_mask = format.alpha_mask;
    alpha_bits.unused_position = format.alpha_position;
    alpha_bits.unused_width = format.alpha_width;
    FillUnusedBitsRect(rect, pixels, pitch, alpha_bits, kOpaqueAlpha);
}

// The same for a rectangle of a display surface.
int MakeSurfaceRectOpaque(platform::DisplaySurface* surface, const platform::DisplayRect& area,
                          const PixelFormat& format) {
    if (format.alpha_mask == 0) {
        return 0;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(surface, &area, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        return -1;
    }
    MakeOpaque({0, 0, area.right - area.left, area.bottom - area.top}, locked.pixels, locked.pitch,
               format);
    platform::UnlockSurface(surface);
    return 0;
}

// The same for a rectangle of a software image, whose run table and premultiplied copy go on
// describing it.
void MakeMemImgRectOpaque(MEMIMG* image, const Rect& rect) {
    MakeOpaque(rect, image->Pixels, image->Body->Pitch, *image->Body->Format);
    if (image->Body->RunTableValid == 1) {
        BuildMemImgRunTable(image);
    }
    if (image->Body->PremulValid == 1) {
        BuildMemImgPremulCopy(image);
    }
}

int CaptureFromImage(const Rect& rect, const Surface2D& tile, SurfaceData& data) {
    if (direct_draw.draw_image == nullptr || TestMemImgValid(direct_draw.draw_image) == 0) {
        return -1;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (data.MemImgFlag != 0) {
        return CopyMemImgRect(&data.Image, direct_draw.draw_image, &rect, tile.SourceX,
                              tile.SourceY) < 0
                   ? -1
                   : 0;
    }
    const platform::DisplayRect area{tile.SourceX, tile.SourceY, tile.SourceX + width,
                                     tile.SourceY + height};
    platform::SurfaceDescription locked;
    if (platform::LockSurface(data.Surface, &area, &locked,
                              platform::kLockWait | platform::kLockWriteOnly) !=
        platform::kDisplayOk) {
        return -1;
    }
    GraphImage target = PixelsAsImage(locked, width, height);
    const int result = StoreMemImgInGraphImage(&target, direct_draw.draw_image, rect.left, rect.top,
                                               width, height, 0, 0, 0, 0);
    if (result >= 0) {
        MakeOpaque({0, 0, width, height}, target.pixels, target.pitch, target.format);
    }
    target.pixels = nullptr;
    platform::UnlockSurface(data.Surface);
    return result < 0 ? -1 : 0;
}

int CaptureFromSurface(Rect rect, const Surface2D& tile, SurfaceData& data) {
    if (draw_settings.draw_target == kDrawTargetFront) {
        Rect front;
        GetFrontScreenRect(&front);
        rect = {rect.left + front.left, rect.top + front.top, rect.right + front.left,
                rect.bottom + front.top};
    }
    rect = {rect.left + direct_draw.draw_offset_x, rect.top + direct_draw.draw_offset_y,
            rect.right + direct_draw.draw_offset_x, rect.bottom + direct_draw.draw_offset_y};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (data.MemImgFlag == 0) {
        const platform::DisplayRect to{tile.SourceX, tile.SourceY, tile.SourceX + width,
                                       tile.SourceY + height};
        const platform::DisplayRect from{rect.left, rect.top, rect.right, rect.bottom};
        if (platform::BltSurface(data.Surface, &to, direct_draw.draw_surface, &from,
                                 platform::kBltWait, 0) != platform::kDisplayOk) {
            return -1;
        }
        return MakeSurfaceRectOpaque(data.Surface, to, *SurfacePixelFormat(data));
    }
    CopySurfaceRect(direct_draw.work, direct_draw.draw_surface, 0, 0, rect, -1);
    const platform::DisplayRect area{0, 0, width, height};
    platform::SurfaceDescription locked;
    if (platform::LockSurface(direct_draw.work, &area, &locked,
                              platform::kLockWait | platform::kLockReadOnly) !=
        platform::kDisplayOk) {
        return -1;
    }
    GraphImage source = PixelsAsImage(locked, width, height);
    const int result = StoreGraphImageInMemImg(&source, nullptr, &data.Image, 0, 0, width, height,
                                               tile.SourceX, tile.SourceY, 0);
    source.pixels = nullptr;
    platform::UnlockSurface(direct_draw.work);
    if (result < 0) {
        return -1;
    }
    MakeMemImgRectOpaque(&data.Image,
                         {tile.SourceX, tile.SourceY, tile.SourceX + width, tile.SourceY + height});
    return 0;
}

}  // namespace

int CaptureScreenToGraph2D(int x1, int y1, int x2, int y2, GraphRecord* graph) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    const int width = x2 - x1;
    const int height = y2 - y1;
    if (width <= 0 || height <= 0 || width != graph->Width || height != graph->Height || x1 < 0 ||
        y1 < 0 || x2 > draw_settings.target_width || y2 > draw_settings.target_height) {
        return -1;
    }
    const Surface2D* tile = graph->TileCount > 0 ? GetSurface2D(graph->Tiles[0]) : nullptr;
    SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
    if (data == nullptr) {
        return -1;
    }
    const Rect rect{x1, y1, x2, y2};
    if (IsSoftwareScreenDrawing() != 0) {
        if (draw_settings.draw_target == kDrawTargetFront) {
            CaptureScreenToSoftImage();
        }
        return CaptureFromImage(rect, *tile, *data);
    }
    EndScene3D();
    if (direct_draw.draw_surface == nullptr) {
        return CaptureFromImage(rect, *tile, *data);
    }
    return CaptureFromSurface(rect, *tile, *data);
}

}  // namespace layer
