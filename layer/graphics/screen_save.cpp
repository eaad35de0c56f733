// A rectangle of the draw target saved to a picture file.
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_system_texts.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_savers.h"
#include "layer/media/pixel_format_presets.h"

namespace layer {
namespace {

enum SaveType : int { kSaveBmp = 0, kSaveJpeg = 1, kSavePng = 2 };

// Where the rectangle's pixels are read from; a locked surface is unlocked by the destructor.
class SourcePixels {
  public:
    ~SourcePixels() {
        if (surface_ != nullptr) {
            platform::UnlockSurface(surface_);
        }
    }
    SourcePixels() = default;
    SourcePixels(const SourcePixels&) = delete;
    SourcePixels& operator=(const SourcePixels&) = delete;

    // 0, or -1 when nothing can be read.
    int Open(const Rect& rect) {
        if (IsSoftwareScreenDrawing() != 0) {
            if (draw_settings.draw_target == kDrawTargetFront) {
                CaptureScreenToSoftImage();
            }
            const MEMIMG* image = direct_draw.draw_image;
            if (image == nullptr || TestMemImgValid(image) == 0) {
                return -1;
            }
            format_ = *image->Body->Format;
            pitch_ = image->Body->Pitch;
            pixels_ = image->Pixels + static_cast<std::ptrdiff_t>(rect.top) * pitch_ +
                      rect.left * format_.bytes_per_pixel;
            return 0;
        }
        platform::DisplaySurface* surface = direct_draw.draw_surface;
        if (surface == nullptr) {
            return -1;
        }
        const Rect& offset = draw_settings.screen_offset;
        Rect on_surface{rect.left + offset.left + direct_draw.draw_offset_x,
                        rect.top + offset.top + direct_draw.draw_offset_y,
                        rect.right + offset.left + direct_draw.draw_offset_x,
                        rect.bottom + offset.top + direct_draw.draw_offset_y};
        if (draw_settings.target_in_video_memory != 0) {
            CopySurfaceRect(direct_draw.work, surface, 0, 0, on_surface, -1);
            surface = direct_draw.work;
            on_surface = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
        }
        platform::SurfaceDescription locked;
        if (platform::LockSurface(surface, nullptr, &locked,
                                  platform::kLockWait | platform::kLockReadOnly) !=
            platform::kDisplayOk) {
            return WriteLog(kWorkLockFailedText);
        }
        surface_ = surface;
        format_ = direct_draw.screen_format;
        pitch_ = locked.pitch;
        pixels_ = locked.pixels + static_cast<std::ptrdiff_t>(on_surface.top) * pitch_ +
                  on_surface.left * format_.bytes_per_pixel;
        return 0;
    }

    const PixelFormat& format() const { return format_; }
    int pitch() const { return pitch_; }
    const std::uint8_t* pixels() const { return pixels_; }

  private:
    platform::DisplaySurface* surface_ = nullptr;
    PixelFormat format_;
    int pitch_ = 0;
    const std::uint8_t* pixels_ = nullptr;
};

// The picture's layout: a palette screen gives its palette entries.
PixelFormat SavedFormat(const PixelFormat& source) {
    if (source.bytes_per_pixel != 1) {
        return source;
    }
    PixelFormat format;
    FillPaletteFormat(&format);
    for (int index = 0; index < 256; ++index) {
        const platform::DisplayPaletteEntry& entry = direct_draw.palette_entries[index];
        format.palette[index] = {entry.blue, entry.green, entry.red, 0};
    }
    return format;
}

int Save(const char* file_name, GraphImage* image, int type, int jpeg_quality,
         int png_compression) {
    switch (type) {
        case kSaveBmp:
            return SaveImageBmp(file_name, image);
        case kSaveJpeg:
            return SaveImageJpeg(file_name, image, jpeg_quality);
        case kSavePng:
            return SaveImagePng(file_name, image, png_compression);
        default:
            return 0;
    }
}

}  // namespace

int SaveScreenArea(int x1, int y1, int x2, int y2, const char* file_name, int type,
                   int jpeg_quality, int, int png_compression) {
    if (IsDirectDrawMissing() != 0) {
        return -1;
    }
    WaitIfInactive();
    EndScene3D();
    FlushVertexBatch();
    Rect rect{x1, y1, x2, y2};
    ClipRect(&rect, draw_settings.draw_area);
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return -1;
    }
    SourcePixels source;
    if (source.Open(rect) < 0) {
        return -1;
    }
    GraphImage image;
    image.format = SavedFormat(source.format());
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;
    image.pitch = image.width * source.format().bytes_per_pixel;
    image.pixels = static_cast<std::uint8_t*>(
        AllocTracked(static_cast<std::size_t>(image.pitch) * image.height, __FILE__, __LINE__));
    if (image.pixels == nullptr) {
        return WriteLog(kSaveBufferFailedText);
    }
    for (int row = 0; row < image.height; ++row) {
        std::memcpy(image.pixels + static_cast<std::ptrdiff_t>(row) * image.pitch,
                    source.pixels() + static_cast<std::ptrdiff_t>(row) * source.pitch(),
                    static_cast<std::size_t>(image.pitch));
    }
    const int result = Save(file_name, &image, type, jpeg_quality, png_compression);
    FreeGraphImage(&image);
    return result < 0 ? -1 : 0;
}

}  // namespace layer
