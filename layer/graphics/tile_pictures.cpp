// Pictures into texture tiles: a picture, a rectangle of it or a movie frame written into the
// tiles it covers; fills; and the restore of lost tile textures.
#include <algorithm>

#include "layer/core/fatal_stop.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_tiles.h"
#include "layer/media/pixel_conversion.h"

namespace layer {
namespace {

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const Rect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Whether the transparent colour becomes alpha 0: a texture with alpha bits, and a picture
// without alpha of its own.
int TransparentToAlpha(const PictureSource& picture, const PixelFormat& texture, int transparent) {
    return transparent != 0 && texture.alpha_mask != 0 && picture.alpha == nullptr &&
                   picture.colour->format.alpha_mask == 0
               ? 1
               : 0;
}

int Convert(std::uint8_t* pixels, int pitch, const PixelFormat& format,
            const PictureSource& picture, const Rect& source_rect, int x, int y, int mode_word,
            int transparent, std::uint32_t transparent_colour) {
    const GraphImage& colour = *picture.colour;
    const GraphImage* alpha = picture.alpha;
    return ConvertPixelRect(
        pixels, pitch, &format, colour.pixels, colour.pitch, &colour.format,
        alpha != nullptr ? alpha->pixels : nullptr, alpha != nullptr ? alpha->pitch : 0,
        alpha != nullptr ? &alpha->format : nullptr, x, y, source_rect.left, source_rect.top,
        source_rect.right, source_rect.bottom, 0, TransparentToAlpha(picture, format, transparent),
        transparent_colour, 0, 0, mode_word, 0, 0);
}

// The texture could not be locked (it was lost): the picture goes through a system-memory
// work texture of its format and is loaded into the restored texture.
int TransferThroughWorkTexture(const SurfaceData& data, const PictureSource& picture,
                               const Rect& source_rect, int x, int y, int mode_word,
                               int transparent) {
    const TextureFormat& format = *GetTextureFormat(data.FormatIndex);
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight |
                         platform::kDescPixelFormat;
    description.caps = platform::kCapsTexture | platform::kCapsSystemMemory;
    description.width = data.Width;
    description.height = data.Height;
    description.format = format.dd;
    platform::DisplaySurface* work = nullptr;
    platform::SurfaceDescription locked;
    if (platform::CreateSurface(direct_draw.object->display, description, &work) !=
            platform::kDisplayOk ||
        platform::LockSurface(work, nullptr, &locked,
                              platform::kLockWait | platform::kLockWriteOnly) !=
            platform::kDisplayOk) {
        AbortWithError(kWorkTextureFailedText);
    }
    Convert(locked.pixels, locked.pitch, format.format, picture, source_rect, x, y, mode_word,
            transparent, data.TransColour);
    platform::UnlockSurface(work);
    platform::RestoreSurface(data.Surface);
    const platform::DisplayRect rect{x, y, x + source_rect.right - source_rect.left,
                                     y + source_rect.bottom - source_rect.top};
    platform::Device3D* device = GetCurrentDevice3D();
    if (device == nullptr || device->Load(data.Surface, x, y, work, rect) != platform::kDisplayOk) {
        AbortWithError(kWorkTextureLoadFailedText);
    }
    platform::ReleaseSurface(work);
    return 0;
}

// A view on `width` columns of the frame from `pixels` on; the frame keeps its pixels.
GraphImage ViewOf(const GraphImage& frame, int width, std::uint8_t* pixels) {
    GraphImage view;
    view.format = frame.format;
    view.width = width;
    view.height = frame.height;
    view.pitch = frame.pitch;
    view.pixels = pixels;
    return view;
}

}  // namespace

int TransferImageToTile(const PictureSource& picture, const Rect& source_rect, int texture_x,
                        int texture_y, int tile_handle, int mode_word, int transparent) {
    const Surface3DData* tile = GetSurface3DData(tile_handle);
    // No system bitmaps exist on this system: pictures come as images only.
    if (direct3d.Direct3D == nullptr || tile == nullptr || picture.bitmap_flag != 0 ||
        picture.colour == nullptr) {
        return -1;
    }
    FlushVertexBatch();
    const SurfaceData* data = GetSurfaceData(tile->SurfaceHandle);
    if (data == nullptr || data->Surface == nullptr) {
        return -1;
    }
    const Rect area{texture_x, texture_y, texture_x + source_rect.right - source_rect.left,
                    texture_y + source_rect.bottom - source_rect.top};
    if (!(Intersect(area, {0, 0, data->Width, data->Height}) == area)) {
        return -1;
    }
    int pitch = 0;
    std::uint8_t* pixels = nullptr;
    const PixelFormat* format = nullptr;
    if (LockSurfaceDataArea(tile->SurfaceHandle, &area, &pitch, &pixels, 1, nullptr, &format) < 0) {
        TransferThroughWorkTexture(*data, picture, source_rect, texture_x, texture_y, mode_word,
                                   transparent);
    } else {
        Convert(pixels, pitch, *format, picture, source_rect, texture_x, texture_y, mode_word,
                transparent, data->TransColour);
        UnlockTileTexture(tile_handle);
    }
    SetSurfaceDataColourKey(tile->SurfaceHandle);
    return 0;
}

int UnlockTileTexture(int tile_handle) {
    const Surface3DData* tile = GetSurface3DData(tile_handle);
    const SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceHandle) : nullptr;
    if (data == nullptr || data->LockDepth == 0) {
        return -1;
    }
    return UnlockSurfaceData(tile->SurfaceHandle);
}

int WriteImageToGraphTiles(const PictureSource& picture, int x, int y, GraphRecord* graph) {
    if (picture.colour == nullptr) {
        return -1;
    }
    const Rect bounds{0, 0, picture.colour->width, picture.colour->height};
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        const Rect wanted{x + tile->X, y + tile->Y, x + tile->X + tile->Width,
                          y + tile->Y + tile->Height};
        // A picture smaller than the graph fills only the tiles' part it covers.
        const Rect part = Intersect(wanted, bounds);
        if (IsEmpty(part)) {
            continue;
        }
        if (TransferImageToTile(picture, part, tile->TexX + part.left - wanted.left,
                                tile->TexY + part.top - wanted.top, graph->Tiles[index],
                                graph->Mode, 1) < 0) {
            return -1;
        }
    }
    return 0;
}

int WriteImageRectToGraphTiles(const PictureSource& picture, const Rect& source_rect, int x, int y,
                               GraphRecord* graph) {
    const int width = source_rect.right - source_rect.left;
    const int height = source_rect.bottom - source_rect.top;
    const Rect placed{x, y, x + width, y + height};
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        const Rect area{tile->X, tile->Y, tile->X + tile->Width, tile->Y + tile->Height};
        const Rect overlap = Intersect(placed, area);
        if (IsEmpty(overlap)) {
            continue;
        }
        const Rect part{source_rect.left + overlap.left - x, source_rect.top + overlap.top - y,
                        source_rect.left + overlap.right - x, source_rect.top + overlap.bottom - y};
        if (TransferImageToTile(picture, part, tile->TexX + overlap.left - tile->X,
                                tile->TexY + overlap.top - tile->Y, graph->Tiles[index], 0,
                                1) < 0) {
            return -1;
        }
    }
    return 0;
}

int UpdateMovieFrameTiles(const GraphImage& frame, int alpha_beside, GraphRecord* graph) {
    if (graph->Key.TextureFlag == 0) {
        return 0;
    }
    const int width = alpha_beside != 0 ? frame.width / 2 : frame.width;
    const GraphImage picture = ViewOf(frame, width, frame.pixels);
    const GraphImage alpha =
        ViewOf(frame, width, frame.pixels + width * frame.format.bytes_per_pixel);
    PictureSource source;
    source.colour = &picture;
    source.alpha = alpha_beside != 0 ? &alpha : nullptr;
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        const Rect part = Intersect({tile->SourceX, tile->SourceY, tile->SourceX + tile->Width,
                                     tile->SourceY + tile->Height},
                                    {0, 0, picture.width, picture.height});
        if (!IsEmpty(part)) {
            TransferImageToTile(source, part, tile->TexX + part.left - tile->SourceX,
                                tile->TexY + part.top - tile->SourceY, graph->Tiles[index], 0, 1);
        }
    }
    return 0;
}

int FillGraphTextures(GraphRecord* graph, int red, int green, int blue, int alpha) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        FillSurfaceData(tile->SurfaceHandle, red, green, blue, alpha);
    }
    return 0;
}

int RestoreGraphTextures(GraphRecord* graph) {
    int result = 0;
    for (int index = 0; index < graph->TileCount; ++index) {
        const Surface3DData* tile = GetSurface3DData(graph->Tiles[index]);
        if (tile == nullptr) {
            return -1;
        }
        result |= RestoreSurfaceData(tile->SurfaceHandle);
    }
    return result;
}

int RestoreSurfaces3D() {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    for (int slot = 0; slot < surfaces_3d.used_end(); ++slot) {
        if (const Surface3DData* tile = surfaces_3d.AtSlot(slot); tile != nullptr) {
            RestoreSurfaceData(tile->SurfaceHandle);
        }
    }
    return 0;
}

}  // namespace layer
