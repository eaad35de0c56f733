// Software draws over display surfaces: the destination and source are locked (through the
// system-memory work surfaces when they lie in video memory or must be converted) and shown
// to the renderer as software images; a plain copy between surfaces of one memory kind is a
// direct blit instead.
#include "layer/graphics/draw_work_2d.h"

#include <cstring>
#include <vector>

#include "layer/core/window_routines.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_conversion.h"
#include "layer/media/pixel_value.h"

namespace layer {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

platform::DisplayRect ToDisplayRect(const Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

int RendererColourType() {
    return direct_draw.screen_bits == 16 ? 0 : 1;
}

const PixelFormat& RendererFormat() {
    return *GetMemImgPixelFormat(RendererColourType(), 0, 0);
}

bool ConvertingScreen() {
    return direct_draw.screen_format_class == kScreenFormat555 ||
           direct_draw.screen_format_class == kScreenFormatOther;
}

// Converts a block of pixels of one size in place, a row at a time.
void ConvertBlock(std::uint8_t* pixels, int pitch, int width, int height, const PixelFormat& to,
                  const PixelFormat& from) {
    const int row_bytes = width * from.bytes_per_pixel;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(row_bytes));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* line = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        std::memcpy(row.data(), line, row.size());
        ConvertPixelRect(line, pitch, &to, row.data(), row_bytes, &from, nullptr, 0, nullptr, 0, 0,
                         0, 0, width, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    }
}

// A software image over locked pixels; the pixels stay the surface's.
bool ImageOverPixels(MEMIMG* image, int width, int height, int pitch, std::uint8_t* pixels,
                     std::uint32_t transparent) {
    *image = MEMIMG{};
    return SetupMemImg(image, width, height, pitch, transparent, RendererColourType(), 0, 0, 0,
                       pixels) == 0;
}

bool Lock(platform::DisplaySurface* surface, const Rect& rect, platform::SurfaceDescription* out) {
    const platform::DisplayRect area = ToDisplayRect(rect);
    return platform::LockSurface(surface, &area, out, platform::kLockWait) == platform::kDisplayOk;
}

bool NeedsBlending(const SurfaceData* source) {
    const int mode = draw_settings.blend_mode;
    return (mode == BlendTranslucent && draw_settings.blend_parameter != 255) ||
           (mode != BlendNone && mode != BlendTranslucent) ||
           (source != nullptr && source->Key.AlphaChFlag != 0) || draw_settings.blend_image != -1;
}

bool PrepareDestination(bool blending, int raw_colour, std::uint32_t* colour1,
                        std::uint32_t* colour2, int from_target_origin) {
    DrawWork2D& work = draw_work_2d;
    if (work.draw_surface == nullptr) {
        if (direct_draw.draw_image == nullptr || TestMemImgValid(direct_draw.draw_image) == 0) {
            return false;
        }
        work.destination_image = direct_draw.draw_image;
        return true;
    }
    work.locked_rect = work.clipped;
    if (from_target_origin != 0) {
        work.locked_rect.left = 0;
        work.locked_rect.top = 0;
    }
    const Rect& locked_rect = work.locked_rect;
    const int width = locked_rect.right - locked_rect.left;
    const int height = locked_rect.bottom - locked_rect.top;
    const Rect& offset = draw_settings.screen_offset;
    work.surface_rect = {locked_rect.left + offset.left + direct_draw.draw_offset_x,
                         locked_rect.top + offset.top + direct_draw.draw_offset_y,
                         locked_rect.right + offset.left + direct_draw.draw_offset_x,
                         locked_rect.bottom + offset.top + direct_draw.draw_offset_y};
    work.destination_through_work = (draw_settings.target_in_video_memory != 0 && blending) ||
                                            (work.convert != 0 && (blending || raw_colour == 0))
                                        ? 1
                                        : 0;
    platform::SurfaceDescription locked;
    if (work.destination_through_work != 0) {
        CopySurfaceRect(direct_draw.work, work.draw_surface, 0, 0, work.surface_rect, -1);
        if (!Lock(direct_draw.work, {0, 0, width, height}, &locked)) {
            return false;
        }
        work.locked_surface = direct_draw.work;
        if (work.convert != 0) {
            ConvertBlock(locked.pixels, locked.pitch, width, height, RendererFormat(),
                         direct_draw.screen_format);
            for (std::uint32_t* colour : {colour1, colour2}) {
                if (colour != nullptr) {
                    *colour =
                        ConvertPixelValue(RendererFormat(), direct_draw.screen_format, *colour);
                }
            }
        }
    } else {
        if (!Lock(work.draw_surface, work.surface_rect, &locked)) {
            return false;
        }
        work.locked_surface = work.draw_surface;
    }
    work.destination_locked = 1;
    work.origin_x = locked_rect.left;
    work.origin_y = locked_rect.top;
    ImageOverPixels(&work.local_destination, width, height, locked.pitch, locked.pixels, 0);
    work.destination_image = &work.local_destination;
    return true;
}

// The whole tile is shown to the renderer, so every address it forms lies in the lock.
bool PrepareSource(const Surface2D& source, SurfaceData& data) {
    DrawWork2D& work = draw_work_2d;
    if (data.MemImgFlag != 0) {
        if (source.SourceX == 0 && source.SourceY == 0 && source.Width == data.Image.Width &&
            source.Height == data.Image.Height) {
            work.source_image = &data.Image;
        } else {
            ShareMemImgRect(&work.source_view, &data.Image, source.SourceX, source.SourceY,
                            source.Width, source.Height);
            work.source_image = &work.source_view;
        }
        return TestMemImgValid(work.source_image) != 0;
    }
    const Rect tile{source.SourceX, source.SourceY, source.SourceX + source.Width,
                    source.SourceY + source.Height};
    platform::SurfaceDescription locked;
    work.source_through_work = data.Key.SystemMemFlag == 0 || work.convert != 0 ? 1 : 0;
    if (work.source_through_work != 0) {
        CopySurfaceRect(direct_draw.second_work, data.Surface, 0, 0, tile, -1);
        if (!Lock(direct_draw.second_work, {0, 0, source.Width, source.Height}, &locked)) {
            return false;
        }
        work.source_surface = direct_draw.second_work;
        if (work.convert != 0) {
            ConvertBlock(locked.pixels, locked.pitch, source.Width, source.Height, RendererFormat(),
                         direct_draw.screen_format);
        }
    } else {
        if (!Lock(data.Surface, tile, &locked)) {
            return false;
        }
        work.source_surface = data.Surface;
    }
    work.source_locked = 1;
    const std::uint32_t transparent =
        PackColor(RendererFormat(), static_cast<int>(data.TransColour >> 16 & 0xFF),
                  static_cast<int>(data.TransColour >> 8 & 0xFF),
                  static_cast<int>(data.TransColour & 0xFF), 255);
    ImageOverPixels(&work.local_source, source.Width, source.Height, locked.pitch, locked.pixels,
                    transparent);
    work.source_image = &work.local_source;
    return true;
}

void UnlockAll() {
    DrawWork2D& work = draw_work_2d;
    if (work.destination_locked != 0) {
        platform::UnlockSurface(work.locked_surface);
        work.destination_locked = 0;
    }
    if (work.source_locked != 0) {
        platform::UnlockSurface(work.source_surface);
        work.source_locked = 0;
    }
}

void ReleaseImages() {
    DrawWork2D& work = draw_work_2d;
    for (MEMIMG* image : {&work.source_view, &work.local_source, &work.local_destination}) {
        if (TestMemImgValid(image) != 0) {
            ReleaseMemImg(image);
        }
        *image = MEMIMG{};
    }
}

}  // namespace

DrawWork2D draw_work_2d;

SoftDrawState CaptureSoftDrawState(int origin_x, int origin_y) {
    SoftDrawState state;
    const Rect& area = draw_settings.draw_area;
    state.draw_area = {area.left - origin_x, area.top - origin_y, area.right - origin_x,
                       area.bottom - origin_y};
    state.blend_mode = draw_settings.blend_mode;
    state.blend_parameter = draw_settings.blend_parameter;
    state.bright_color = draw_settings.bright_colour;
    state.mmx = IsMmxEnabled();
    return state;
}

int PrepareDraw2D(const Surface2D* source, int direct_allowed, const Rect* source_rect,
                  const Rect& destination, int raw_colour, std::uint32_t* colour1,
                  std::uint32_t* colour2, int from_target_origin) {
    ReleaseImages();
    draw_work_2d = DrawWork2D{};
    if (IsSoftwareScreenDrawing() != 0) {
        return 0;
    }
    DrawWork2D& work = draw_work_2d;
    work.draw_surface = direct_draw.draw_surface;
    SurfaceData* data = source != nullptr ? GetSurfaceData(source->SurfaceDataHandle) : nullptr;
    const bool blending = NeedsBlending(data);
    const bool bright = (draw_settings.bright_colour & kWhite) != kWhite;
    if (direct_allowed != 0 && data != nullptr && source_rect != nullptr && !blending && !bright &&
        data->MemImgFlag == 0 && work.draw_surface != nullptr &&
        (draw_settings.target_in_video_memory != 0) == (data->Key.SystemMemFlag == 0)) {
        work.direct_blit = 1;
        work.source_surface = data->Surface;
        work.source_rect = {source_rect->left + source->SourceX, source_rect->top + source->SourceY,
                            source_rect->right + source->SourceX,
                            source_rect->bottom + source->SourceY};
        work.blit_x =
            destination.left + draw_settings.screen_offset.left + direct_draw.draw_offset_x;
        work.blit_y = destination.top + draw_settings.screen_offset.top + direct_draw.draw_offset_y;
        return 0;
    }
    work.convert = ConvertingScreen() ? 1 : 0;
    work.clipped = destination;
    ClipRect(&work.clipped, draw_settings.draw_area);
    if (work.clipped.right <= work.clipped.left || work.clipped.bottom <= work.clipped.top) {
        return -1;
    }
    if (!PrepareDestination(blending, raw_colour, colour1, colour2, from_target_origin) ||
        (data != nullptr && !PrepareSource(*source, *data))) {
        UnlockAll();
        ReleaseImages();
        work.destination_through_work = 0;
        return -1;
    }
    return 0;
}

int FinishDraw2D() {
    DrawWork2D& work = draw_work_2d;
    const int width = work.locked_rect.right - work.locked_rect.left;
    const int height = work.locked_rect.bottom - work.locked_rect.top;
    if (work.destination_through_work != 0 && work.convert != 0 &&
        TestMemImgValid(&work.local_destination) != 0) {
        ConvertBlock(work.local_destination.Pixels, work.local_destination.Body->Pitch, width,
                     height, direct_draw.screen_format, RendererFormat());
    }
    ReleaseImages();
    UnlockAll();
    if (work.destination_through_work != 0) {
        CopySurfaceRect(work.draw_surface, direct_draw.work, work.surface_rect.left,
                        work.surface_rect.top, {0, 0, width, height}, -1);
    }
    draw_work_2d = DrawWork2D{};
    return 0;
}

int RunDirectBlit2D(int transparent) {
    const DrawWork2D& work = draw_work_2d;
    const platform::DisplayRect rect = ToDisplayRect(work.source_rect);
    platform::BltFastSurface(
        work.draw_surface, work.blit_x, work.blit_y, work.source_surface, &rect,
        transparent != 0 ? platform::kBltFastSourceColourKey : platform::kBltFastNoColourKey);
    draw_work_2d = DrawWork2D{};
    return 0;
}

int CopySurfaceRect(platform::DisplaySurface* destination, platform::DisplaySurface* source, int x,
                    int y, const Rect& rect, int mode) {
    if (mode == -1) {
        mode = direct_draw.flags.bitblt_for_copies != 0 ? 1 : 0;
    }
    if (mode == 1) {
        platform::GetSurfaceDrawContext(destination);
        platform::GetSurfaceDrawContext(source);
        const int result =
            platform::CopyBetweenDrawContexts(destination, x, y, rect.right - rect.left,
                                              rect.bottom - rect.top, source, rect.left, rect.top);
        platform::ReleaseSurfaceDrawContext(source);
        platform::ReleaseSurfaceDrawContext(destination);
        return result == platform::kDisplayOk ? 0 : -1;
    }
    const platform::DisplayRect area = ToDisplayRect(rect);
    return platform::BltFastSurface(destination, x, y, source, &area, 0) == platform::kDisplayOk
               ? 0
               : -1;
}

}  // namespace layer
