#include "layer/softrender/memimg.h"

#include <algorithm>
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/softrender/memimg_layout_table.h"
#include "layer/softrender/memimg_runs.h"

namespace layer {

namespace {

constexpr std::size_t kPaletteBlockBytes = 2048;

PixelFormat SingleChannelFormat(int bits) {
    PixelFormat format;
    const std::uint32_t mask = (std::uint32_t{1} << bits) - 1;
    const auto width = static_cast<std::uint8_t>(bits);
    format.bits_per_pixel = static_cast<std::uint16_t>(bits);
    format.bytes_per_pixel = static_cast<std::uint16_t>(bits / 8);
    format.red_width = format.green_width = format.blue_width = format.alpha_width = width;
    format.red_mask = format.green_mask = format.blue_mask = format.alpha_mask = mask;
    return format;
}

PixelFormat ColorFormat(int color_type, bool alpha, bool palette) {
    static constexpr std::uint32_t kMasks[2][4] = {{0xF800, 0x07E0, 0x001F, 0xFF0000},
                                                   {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
    const auto& masks = kMasks[color_type];
    const int depth = palette ? 8 : (color_type == 0 && !alpha ? 16 : 32);
    PixelFormat format;
    FillFormatFromMasks(&format, depth, masks[0], masks[1], masks[2], alpha ? masks[3] : 0);
    return format;
}

int BytesPerPixel(int color_type, bool palette, bool alpha) {
    static constexpr int kBytes[4] = {2, 4, 1, 2};
    if (palette) {
        return 1;
    }
    if (alpha && color_type == 0) {
        return 4;
    }
    return kBytes[color_type];
}

int PitchShiftOf(std::int32_t pitch) {
    for (int n = 0; n < 31; ++n) {
        if (pitch == (std::int32_t{1} << n)) {
            return n;
        }
    }
    return -1;
}

void FreeBody(MemImgBody* body) {
    if (body->UserPixels == 0) {
        FreeTracked(body->PixelStore);
    }
    FreeTracked(body->PremulStore);
    FreeTracked(body->RunTable);
    FreeTracked(body->Palette);
    body->PixelStore = body->PremulStore = body->RunTable = nullptr;
    body->Palette = body->PaletteCopy = nullptr;
    FreeTracked(body);
}

// A value whose bytes are all alike fills each row with memset; any other fills the first row
// pixel by pixel and copies it to the rows below.
template <typename Pixel>
void FillRows(std::uint8_t* first, std::int32_t pitch, int width, int height, std::uint32_t value) {
    const auto pixel = static_cast<Pixel>(value);
    std::uint8_t bytes[sizeof(Pixel)];
    std::memcpy(bytes, &pixel, sizeof(Pixel));
    const auto row_bytes = static_cast<std::size_t>(width) * sizeof(Pixel);
    if (std::all_of(bytes, bytes + sizeof(Pixel), [&](std::uint8_t b) { return b == bytes[0]; })) {
        for (int row = 0; row < height; ++row) {
            std::memset(first + std::int64_t{row} * pitch, bytes[0], row_bytes);
        }
        return;
    }
    for (int column = 0; column < width; ++column) {
        std::memcpy(first + column * sizeof(Pixel), bytes, sizeof(Pixel));
    }
    for (int row = 1; row < height; ++row) {
        std::memcpy(first + std::int64_t{row} * pitch, first, row_bytes);
    }
}

}  // namespace

const PixelFormat* GetMemImgPixelFormat(int color_type, int alpha_flag, int palette_flag) {
    return MemImgLayoutRecord(color_type, alpha_flag, palette_flag,
                              [](int type, int alpha, int palette) {
                                  return type < 2 ? ColorFormat(type, alpha != 0, palette != 0)
                                                  : SingleChannelFormat(type == 2 ? 8 : 16);
                              });
}

int SetupMemImg(MEMIMG* image, int width, int height, int pitch, std::uint32_t trans_color,
                int color_type, int palette_flag, int alpha_flag, int derived_buffers,
                void* caller_pixels) {
    if (image->Magic == kMemImgMagic) {
        return -1;
    }
    if (width < 0 || height < 0 || color_type < 0 || color_type > 3) {
        return -1;
    }
    bool palette = palette_flag != 0;
    bool alpha = alpha_flag != 0 && !palette;
    if (color_type >= 2) {
        palette = alpha = false;
    }
    const int bytes_per_pixel = BytesPerPixel(color_type, palette, alpha);
    const std::int64_t row_bytes = std::int64_t{bytes_per_pixel} * width;
    const std::int64_t chosen_pitch = pitch == -1 ? (row_bytes + 15) / 16 * 16 : pitch;
    const std::int64_t store_bytes = chosen_pitch * height;
    const std::int64_t run_table_bytes = (std::int64_t{width} + 5) * height;
    if (chosen_pitch < row_bytes || chosen_pitch > INT32_MAX ||
        run_table_bytes > INT32_MAX * std::int64_t{4} ||
        store_bytes > INT32_MAX * std::int64_t{4}) {
        return -1;
    }

    auto* body = static_cast<MemImgBody*>(AllocTrackedZeroed(sizeof(MemImgBody), "", 0));
    image->Body = body;
    if (body == nullptr) {
        return -1;
    }
    body->RefCount = 1;
    body->Width = width;
    body->Height = height;
    body->TransColor = trans_color;
    body->ColorType = color_type;
    body->PaletteFlag = palette ? 1 : 0;
    body->AlphaFlag = alpha ? 1 : 0;
    body->Pitch = static_cast<std::int32_t>(chosen_pitch);
    body->PitchShift = PitchShiftOf(body->Pitch);
    body->Format = GetMemImgPixelFormat(color_type, body->AlphaFlag, body->PaletteFlag);

    bool failed = false;
    if (palette) {
        body->Palette = static_cast<std::uint8_t*>(AllocTrackedZeroed(kPaletteBlockBytes, "", 0));
        body->PaletteCopy = body->Palette == nullptr ? nullptr : body->Palette + 1024;
        failed = body->Palette == nullptr;
    }
    if (!failed && caller_pixels != nullptr) {
        body->PixelStore = static_cast<std::uint8_t*>(caller_pixels);
        body->UserPixels = 1;
    } else if (!failed) {
        body->PixelStore =
            static_cast<std::uint8_t*>(AllocTracked(static_cast<std::size_t>(store_bytes), "", 0));
        failed = body->PixelStore == nullptr;
    }
    if (!failed && derived_buffers != 0) {
        if (alpha) {
            body->PremulStore = static_cast<std::uint8_t*>(
                AllocTracked(static_cast<std::size_t>(store_bytes), "", 0));
            failed = body->PremulStore == nullptr;
        }
        if (!failed && color_type != 2) {
            body->RunTable = static_cast<std::uint8_t*>(
                AllocTracked(static_cast<std::size_t>(run_table_bytes), "", 0));
            failed = body->RunTable == nullptr;
        }
    }
    if (failed) {
        FreeBody(body);
        image->Body = nullptr;
        return -1;
    }

    image->Magic = kMemImgMagic;
    image->Width = width;
    image->Height = height;
    image->Pixels = body->PixelStore;
    image->Premul = body->PremulStore;
    return 0;
}

int SetupScreenMemImg(MEMIMG* image, int width, int height, int color_type, int screen_color_bits) {
    *image = MEMIMG{};
    if (color_type == -1) {
        color_type = screen_color_bits == 16 ? 0 : 1;
    }
    return SetupMemImg(image, width, height, -1, 0, color_type, 0, 0, 0, nullptr);
}

int SetupDepthMemImg(MEMIMG* image, int width, int height) {
    *image = MEMIMG{};
    return SetupMemImg(image, width, height, -1, 0, 3, 0, 0, 0, nullptr);
}

void ShareMemImgRect(MEMIMG* view, const MEMIMG* source, int x, int y, int width, int height) {
    if (TestMemImgValid(source) == 0) {
        return;
    }
    if (x < 0 || y < 0 || width < 0 || height < 0 || std::int64_t{x} + width > source->Width ||
        std::int64_t{y} + height > source->Height) {
        return;
    }
    MemImgBody* body = source->Body;
    const std::int64_t offset =
        std::int64_t{y} * body->Pitch + std::int64_t{x} * body->Format->bytes_per_pixel;
    view->Width = width;
    view->Height = height;
    view->Magic = kMemImgMagic;
    view->Pixels = source->Pixels + offset;
    view->Premul = body->PremulStore != nullptr ? source->Premul + offset : nullptr;
    view->Body = body;
    ++body->RefCount;
}

int TestMemImgValid(const MEMIMG* image) {
    return image->Magic == kMemImgMagic && image->Body != nullptr ? 1 : 0;
}

void ReleaseMemImg(MEMIMG* image) {
    if (image->Magic != kMemImgMagic) {
        return;
    }
    MemImgBody* body = image->Body;
    if (body != nullptr && --body->RefCount == 0) {
        FreeBody(body);
    }
    image->Body = nullptr;
    image->Magic = 0;
}

void FillMemImgRaw(MEMIMG* image, const Rect* rect, std::uint32_t value) {
    if (TestMemImgValid(image) == 0) {
        return;
    }
    const Rect whole{0, 0, image->Width, image->Height};
    Rect region = whole;
    if (rect != nullptr) {
        region = *rect;
        ClipRect(&region, whole);
    }
    const int width = region.right - region.left;
    const int height = region.bottom - region.top;
    if (width == 0 || height == 0) {
        return;
    }
    const int bytes_per_pixel = MemImgBytesPerPixel(*image);
    const std::int32_t pitch = image->Body->Pitch;
    std::uint8_t* first = image->Pixels + std::int64_t{region.top} * pitch +
                          std::int64_t{region.left} * bytes_per_pixel;
    switch (bytes_per_pixel) {
        case 1:
            FillRows<std::uint8_t>(first, pitch, width, height, value);
            break;
        case 2:
            FillRows<std::uint16_t>(first, pitch, width, height, value);
            break;
        default:
            FillRows<std::uint32_t>(first, pitch, width, height, value);
            break;
    }
    // Derived data that described the image goes on describing it.
    if (image->Body->RunTableValid == 1) {
        BuildMemImgRunTable(image);
    }
    if (image->Body->PremulValid == 1) {
        BuildMemImgPremulCopy(image);
    }
}

}  // namespace layer
