#include "layer/graphics/picture_writers_2d.h"

#include <algorithm>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/pixel_conversion.h"
#include "layer/media/pixel_value.h"
#include "layer/softrender/memimg_convert.h"

namespace layer {
namespace {

constexpr int kPaletteEntries = 256;

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const Rect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// A palette picture's transparent value is the index of the first palette entry holding the
// transparent colour (0 when none does).
void ChoosePaletteTransparent(SurfaceData* data) {
    MemImgBody* body = data->Image.Body;
    if (body->PaletteFlag == 0 || body->Palette == nullptr) {
        return;
    }
    const bool wide = data->Key.ColorBitDepth != 16;
    const std::uint32_t colour = draw_settings.transparent_colour;
    const std::uint32_t wanted =
        PackColor(*GetMemImgPixelFormat(wide ? 1 : 0, 0, 0), static_cast<int>(colour >> 16 & 0xFF),
                  static_cast<int>(colour >> 8 & 0xFF), static_cast<int>(colour & 0xFF), 255);
    const int entry_bytes = body->ColorType == 0 ? 2 : 4;
    const std::uint32_t mask = entry_bytes == 2 ? 0xFFFF : 0xFFFFFF;
    body->TransColor = 0;
    for (int index = 0; index < kPaletteEntries; ++index) {
        std::uint32_t entry = 0;
        std::memcpy(&entry, body->Palette + index * entry_bytes,
                    static_cast<std::size_t>(entry_bytes));
        if ((entry & mask) == (wanted & mask)) {
            body->TransColor = static_cast<std::uint32_t>(index);
            return;
        }
    }
}

int WriteToSurface(SurfaceData* data, const PictureSource& picture, const Rect& source_rect, int x,
                   int y) {
    const Rect target{x, y, x + source_rect.right - source_rect.left,
                      y + source_rect.bottom - source_rect.top};
    if (!(Intersect(target, {0, 0, data->Width, data->Height}) == target)) {
        return -1;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(data->Surface, nullptr, &locked,
                              platform::kLockWait | platform::kLockWriteOnly) !=
        platform::kDisplayOk) {
        return WriteLog(kSurface2DLockFailedText);
    }
    const GraphImage& colour = *picture.colour;
    const GraphImage* alpha = picture.alpha;
    const int result = ConvertPixelRect(
        locked.pixels, locked.pitch, GetScreenPixelFormat(), colour.pixels, colour.pitch,
        &colour.format, alpha != nullptr ? alpha->pixels : nullptr,
        alpha != nullptr ? alpha->pitch : 0, alpha != nullptr ? &alpha->format : nullptr, x, y,
        source_rect.left, source_rect.top, source_rect.right, source_rect.bottom, 0, 0, 0, 0, 0, 0,
        0, direct_draw.screen_bits == 8 ? 1 : 0);
    platform::UnlockSurface(data->Surface);
    return result < 0 ? -1 : 0;
}

}  // namespace

int WriteImageToSurface2D(const PictureSource& picture, const Rect& source_rect, int x, int y,
                          int surface, int option) {
    const Surface2D* tile = GetSurface2D(surface);
    SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
    // No system bitmaps exist on this system: pictures come as images only.
    if (IsDirectDrawMissing() != 0 || data == nullptr || picture.bitmap_flag != 0 ||
        picture.colour == nullptr) {
        return -1;
    }
    const int dx = x + tile->SourceX;
    const int dy = y + tile->SourceY;
    int result = 0;
    if (data->MemImgFlag != 0) {
        result =
            StoreGraphImageInMemImg(picture.colour, picture.alpha, &data->Image, source_rect.left,
                                    source_rect.top, source_rect.right - source_rect.left,
                                    source_rect.bottom - source_rect.top, dx, dy, option);
        if (result >= 0 && data->Key.PaletteFlag != 0) {
            ChoosePaletteTransparent(data);
        }
    } else if (data->Surface != nullptr) {
        result = WriteToSurface(data, picture, source_rect, dx, dy);
    } else {
        result = -1;
    }
    if (result < 0) {
        return -1;
    }
    SetSurfaceDataColourKey(tile->SurfaceDataHandle);
    return 0;
}

int WriteImageToSurface2DAt(const PictureSource& picture, int x, int y, int surface) {
    const Surface2D* tile = GetSurface2D(surface);
    if (tile == nullptr || picture.colour == nullptr) {
        return -1;
    }
    const Rect wanted{x, y, x + tile->Width, y + tile->Height};
    const Rect part = Intersect(wanted, {0, 0, picture.colour->width, picture.colour->height});
    if (IsEmpty(part)) {
        return 0;
    }
    return WriteImageToSurface2D(picture, part, part.left - x, part.top - y, surface, 0);
}

int WriteImageToGraphTiles2D(const PictureSource& picture, int x, int y, GraphRecord* graph) {
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface2D* tile = GetSurface2D(graph->Tiles[index]);
        if (tile == nullptr ||
            WriteImageToSurface2DAt(picture, x + tile->OffsetX, y + tile->OffsetY,
                                    graph->Tiles[index]) < 0) {
            return -1;
        }
    }
    return 0;
}

int WriteImageToGraphSurfaces2D(const PictureSource& picture, const Rect& source_rect, int x, int y,
                                GraphRecord* graph) {
    const Rect placed{x, y, x + source_rect.right - source_rect.left,
                      y + source_rect.bottom - source_rect.top};
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface2D* tile = GetSurface2D(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        const Rect area{tile->OffsetX, tile->OffsetY, tile->OffsetX + tile->Width,
                        tile->OffsetY + tile->Height};
        const Rect overlap = Intersect(placed, area);
        if (IsEmpty(overlap)) {
            continue;
        }
        const Rect part{source_rect.left + overlap.left - x, source_rect.top + overlap.top - y,
                        source_rect.left + overlap.right - x, source_rect.top + overlap.bottom - y};
        if (WriteImageToSurface2D(picture, part, overlap.left - tile->OffsetX,
                                  overlap.top - tile->OffsetY, graph->Tiles[index], 0) < 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace layer
