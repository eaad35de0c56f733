// Direct pixel access to surface data (locks nest; the surface is unlocked when the last one
// is left) and colour fills.
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_value.h"

namespace layer {
namespace {

std::uint8_t* AtPoint(const SurfaceData& data, const int* point) {
    if (point == nullptr) {
        return data.LockPixels;
    }
    return data.LockPixels + data.LockFormat->bytes_per_pixel * point[0] +
           data.LockPitch * point[1];
}

void HandOut(const SurfaceData& data, int* pitch, std::uint8_t** pixels, const int* point,
             const PixelFormat** format) {
    *pitch = data.LockPitch;
    *pixels = AtPoint(data, point);
    if (format != nullptr) {
        *format = data.LockFormat;
    }
}

}  // namespace

const PixelFormat* SurfacePixelFormat(const SurfaceData& data) {
    if (data.MemImgFlag != 0 && data.Image.Body != nullptr) {
        return data.Image.Body->Format;
    }
    if (data.Key.TextureFlag != 0) {
        return GetTexturePixelFormat(data.FormatIndex);
    }
    return GetScreenPixelFormat();
}

int LockSurfaceData(int handle, int* pitch, std::uint8_t** pixels, int write_only, const int* point,
                    const PixelFormat** format) {
    return LockSurfaceDataArea(handle, nullptr, pitch, pixels, write_only, point, format);
}

int LockSurfaceDataArea(int handle, const Rect* area, int* pitch, std::uint8_t** pixels,
                        int write_only, const int* point, const PixelFormat** format) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr) {
        return -1;
    }
    if (data->LockDepth > 0) {
        ++data->LockDepth;
        HandOut(*data, pitch, pixels, point, format);
        return -2;
    }
    if (data->MemImgFlag != 0) {
        if (TestMemImgValid(&data->Image) == 0) {
            return WriteLog(kGraphLockFailedText);
        }
        data->LockPitch = data->Image.Body->Pitch;
        data->LockPixels = data->Image.Pixels;
        data->LockFormat = data->Image.Body->Format;
    } else {
        platform::SurfaceDescription locked;
        const std::uint32_t flags =
            platform::kLockWait | (write_only != 0 ? std::uint32_t{platform::kLockWriteOnly} : 0u);
        const platform::DisplayRect rect =
            area != nullptr
                ? platform::DisplayRect{area->left, area->top, area->right, area->bottom}
                : platform::DisplayRect{0, 0, data->Width, data->Height};
        if (data->Surface == nullptr ||
            platform::LockSurface(data->Surface, &rect, &locked, flags) != platform::kDisplayOk) {
            return WriteLog(kGraphLockFailedText);
        }
        data->LockPitch = locked.pitch;
        data->LockFormat = SurfacePixelFormat(*data);
        // Kept as the surface's origin, whatever part of it was locked.
        data->LockPixels =
            locked.pixels - rect.top * locked.pitch - rect.left * data->LockFormat->bytes_per_pixel;
    }
    data->LockDepth = 1;
    HandOut(*data, pitch, pixels, point, format);
    return 0;
}

int UnlockSurfaceData(int handle) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr || data->LockDepth == 0) {
        return -1;
    }
    if (--data->LockDepth > 0) {
        return 0;
    }
    if (data->Surface != nullptr) {
        platform::UnlockSurface(data->Surface);
    }
    data->LockPixels = nullptr;
    data->LockPitch = 0;
    return 0;
}

int FillSurfaceData(int handle, int red, int green, int blue, int alpha) {
    SurfaceData* data = GetSurfaceData(handle);
    if (data == nullptr || IsDirectDrawMissing() != 0) {
        return -1;
    }
    if (data->MemImgFlag != 0) {
        if (TestMemImgValid(&data->Image) == 0) {
            return -1;
        }
        FillMemImgRaw(&data->Image, nullptr,
                      PackColor(*data->Image.Body->Format, red, green, blue, alpha));
        return 0;
    }
    if (data->Surface == nullptr) {
        return -1;
    }
    const std::uint32_t value = PackColor(*SurfacePixelFormat(*data), red, green, blue, alpha);
    return platform::BltSurface(data->Surface, nullptr, nullptr, nullptr,
                                platform::kBltColourFill | platform::kBltWait,
                                value) == platform::kDisplayOk
               ? 0
               : -1;
}

}  // namespace layer
