// Screen capture into texture graphs: five ways from the draw screen into the tiles' textures,
// tried in a fixed order, the last one that worked remembered per kind of texture.
#include <algorithm>

#include "layer/core/layer_log.h"
#include "layer/core/system_info.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/main_screens.h"
#include "layer/graphics/surface_data.h"
#include "layer/graphics/texture_capture_texts.h"
#include "layer/graphics/texture_tiles.h"
#include "layer/media/pixel_conversion.h"

namespace layer {
namespace {

struct CaptureSource {
    platform::DisplaySurface* surface = nullptr;
    int width = 0;
    int height = 0;
    int offset_x = 0;
    int offset_y = 0;
    // The whole desktop is read: a front-screen capture in window mode with flag 0.
    bool desktop = false;
};

struct Capture {
    int x1;
    int y1;
    int x2;
    int y2;
    const GraphRecord* graph;
    CaptureSource source;
};

// One tile's part of a capture: its copy size and where on the source it starts.
struct TileCopy {
    int handle;
    const Surface3DData* tile;
    const SurfaceData* data;
    int width;
    int height;
    int source_x;
    int source_y;
};

CaptureSource SourceFor(int flag) {
    CaptureSource source;
    source.surface = GetCurrentDrawSurface();
    if (flag == 0 && IsWindowedMode() != 0 && draw_settings.draw_target == kDrawTargetFront) {
        source.desktop = true;
        GetDesktopMode(&source.width, &source.height, nullptr);
        return source;
    }
    GetGraphDimensions(draw_settings.draw_target, &source.width, &source.height);
    source.offset_x = draw_settings.screen_offset.left;
    source.offset_y = draw_settings.screen_offset.top;
    return source;
}

bool Acceptable(const Capture& c) {
    return c.x1 >= 0 && c.x1 < c.x2 && c.y1 >= 0 && c.y1 < c.y2 && c.x1 <= c.source.width &&
           c.y1 <= c.source.height && c.graph->Width >= c.x2 - c.x1 &&
           c.graph->Height >= c.y2 - c.y1 && c.source.surface != nullptr;
}

// Runs `copy` on every tile that takes part; a stale tile or a failing copy ends with -1.
template <typename Copy>
int ForEachTile(const Capture& c, bool skip_stale, Copy copy) {
    for (int index = 0; index < c.graph->TileCount; ++index) {
        const int handle = c.graph->Tiles[index];
        const Surface3DData* tile = GetSurface3DData(handle);
        const SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceHandle) : nullptr;
        if (data == nullptr || data->Surface == nullptr) {
            if (skip_stale) {
                continue;
            }
            return -1;
        }
        if (c.source.width < c.x1 + tile->X || c.source.height < c.y1 + tile->Y) {
            continue;
        }
        const int width = std::min<int>(tile->Width, c.source.width - c.x1 - tile->X);
        const int height = std::min<int>(tile->Height, c.source.height - c.y1 - tile->Y);
        if (width <= 0 || height <= 0) {
            continue;
        }
        const TileCopy part{handle,
                            tile,
                            data,
                            width,
                            height,
                            c.source.offset_x + c.x1 + tile->X,
                            c.source.offset_y + c.y1 + tile->Y};
        if (copy(part) < 0) {
            return -1;
        }
        SetSurfaceDataColourKey(tile->SurfaceHandle);
    }
    return 0;
}

int TransparentToAlpha(const PixelFormat& format) {
    return format.alpha_mask != 0 ? 1 : 0;
}

int ByBltFast(const Capture& c) {
    if (c.source.desktop && IsDrawingOnWindowPrimary() == 0) {
        return -1;
    }
    return ForEachTile(c, false, [](const TileCopy& part) {
        const platform::DisplayRect from{part.source_x, part.source_y, part.source_x + part.width,
                                         part.source_y + part.height};
        const int result =
            platform::BltFastSurface(part.data->Surface, part.tile->TexX, part.tile->TexY,
                                     direct_draw.draw_surface, &from, platform::kBltFastWait);
        if (result != platform::kDisplayOk) {
            return WriteLogFormat(kCapture1BltFastFormat, result);
        }
        return 0;
    });
}

// The source's drawing context held around a capture through drawing contexts.
class SourceContext {
  public:
    SourceContext(platform::DisplaySurface* source, const char* failure)
        : source_(source), result_(platform::GetSurfaceDrawContext(source)) {
        if (result_ != platform::kDisplayOk) {
            WriteLogFormat(failure, result_);
        }
    }
    ~SourceContext() {
        if (result_ == platform::kDisplayOk) {
            platform::ReleaseSurfaceDrawContext(source_);
        }
    }
    SourceContext(const SourceContext&) = delete;
    SourceContext& operator=(const SourceContext&) = delete;
    bool ok() const { return result_ == platform::kDisplayOk; }

  private:
    platform::DisplaySurface* source_;
    int result_;
};

struct DrawContextTexts {
    const char* context;
    const char* bitblt;
    const char* release;
};

// A drawing-context copy of the tile's part into `target` at (x, y).
int CopyThroughContexts(platform::DisplaySurface* target, int x, int y, const TileCopy& part,
                        const DrawContextTexts& texts) {
    const int got = platform::GetSurfaceDrawContext(target);
    if (got != platform::kDisplayOk) {
        return WriteLogFormat(texts.context, got);
    }
    const int copied =
        platform::CopyBetweenDrawContexts(target, x, y, part.width, part.height,
                                          direct_draw.draw_surface, part.source_x, part.source_y);
    const int released = platform::ReleaseSurfaceDrawContext(target);
    if (copied != platform::kDisplayOk) {
        return WriteLogFormat(texts.bitblt, static_cast<unsigned>(copied));
    }
    if (released != platform::kDisplayOk) {
        return WriteLogFormat(texts.release, released);
    }
    return 0;
}

int ByTileContexts(const Capture& c) {
    const SourceContext source(c.source.surface, kCapture2SourceDcFormat);
    if (!source.ok()) {
        return -1;
    }
    return ForEachTile(c, false, [](const TileCopy& part) {
        return CopyThroughContexts(
            part.data->Surface, part.tile->TexX, part.tile->TexY, part,
            {kCapture2TileDcFormat, kCapture2BitBltFormat, kCapture2ReleaseDcFormat});
    });
}

// A system-memory texture of the tile texture's size and format.
class WorkTexture {
  public:
    WorkTexture(const SurfaceData& data, const char* failure) {
        const TextureFormat& format = *GetTextureFormat(data.FormatIndex);
        platform::SurfaceDescription description;
        description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight |
                             platform::kDescPixelFormat;
        description.caps = platform::kCapsTexture | platform::kCapsSystemMemory;
        description.width = data.Width;
        description.height = data.Height;
        description.format = format.dd;
        const int result =
            platform::CreateSurface(direct_draw.object->display, description, &surface_);
        if (result != platform::kDisplayOk) {
            surface_ = nullptr;
            WriteLogFormat(failure, result);
        }
    }
    ~WorkTexture() { platform::ReleaseSurface(surface_); }
    WorkTexture(const WorkTexture&) = delete;
    WorkTexture& operator=(const WorkTexture&) = delete;
    platform::DisplaySurface* get() const { return surface_; }

  private:
    platform::DisplaySurface* surface_ = nullptr;
};

int ConvertWorkIntoTile(const TileCopy& part, platform::DisplaySurface* work) {
    platform::SurfaceDescription tile_lock;
    platform::SurfaceDescription work_lock;
    const int tile_result =
        platform::LockSurface(part.data->Surface, nullptr, &tile_lock, platform::kLockWait);
    if (tile_result != platform::kDisplayOk) {
        return WriteLogFormat(kCapture3TileLockFormat, tile_result);
    }
    const int work_result = platform::LockSurface(work, nullptr, &work_lock, platform::kLockWait);
    if (work_result != platform::kDisplayOk) {
        platform::UnlockSurface(part.data->Surface);
        return WriteLogFormat(kCapture3WorkLockFormat, work_result);
    }
    const PixelFormat& format = *SurfacePixelFormat(*part.data);
    ConvertPixelRect(tile_lock.pixels, tile_lock.pitch, &format, work_lock.pixels, work_lock.pitch,
                     &format, nullptr, 0, nullptr, 0, 0, 0, 0, part.data->Width, part.data->Height,
                     0, TransparentToAlpha(format), part.data->TransColour, 0, 0, 0, 0, 0);
    platform::UnlockSurface(work);
    platform::UnlockSurface(part.data->Surface);
    return 0;
}

int ByWorkTextureLock(const Capture& c) {
    const SourceContext source(c.source.surface, kCapture3SourceDcFormat);
    if (!source.ok()) {
        return -1;
    }
    return ForEachTile(c, false, [](const TileCopy& part) {
        const WorkTexture work(*part.data, kCapture3WorkFormat);
        if (work.get() == nullptr ||
            CopyThroughContexts(
                work.get(), part.tile->TexX, part.tile->TexY, part,
                {kCapture3WorkDcFormat, kCapture3BitBltFormat, kCapture3ReleaseDcFormat}) < 0) {
            return -1;
        }
        return ConvertWorkIntoTile(part, work.get());
    });
}

int ByWorkTextureLoad(const Capture& c) {
    const SourceContext source(c.source.surface, kCapture4SourceDcFormat);
    if (!source.ok()) {
        return -1;
    }
    return ForEachTile(c, false, [&c](const TileCopy& part) {
        const WorkTexture work(*part.data, kCapture4WorkFormat);
        if (work.get() == nullptr ||
            CopyThroughContexts(
                work.get(), part.tile->TexX, part.tile->TexY, part,
                {kCapture4WorkDcFormat, kCapture4BitBltFormat, kCapture4ReleaseDcFormat}) < 0) {
            return -1;
        }
        const platform::DisplayRect rect{0, 0, part.data->Width, part.data->Height};
        platform::Device3D* device = GetCurrentDevice3D();
        const int result = device != nullptr
                               ? device->Load(part.data->Surface, 0, 0, work.get(), rect)
                               : platform::kDisplayFailed;
        if (result == platform::kDisplayOk) {
            return 0;
        }
        int width = 0;
        int height = 0;
        GetScreenResolution(&width, &height);
        WriteLogFormat(kCapture4LoadFormat, result, width, height, IsWindowedMode() == 0 ? 1 : 0, 0,
                       0, rect.top, rect.bottom, rect.left, rect.right);
        const FormatKey& key = part.data->Key;
        WriteLogFormat(kCapture4KeyFormat, key.AlphaChFlag, key.AlphaTestFlag, key.ColorBitDepth);
        return WriteLogFormat(kCapture4PlaceFormat, GetScreenColourBits(), part.width, part.height,
                              part.tile->X, part.tile->Y, c.source.offset_x, c.source.offset_y,
                              c.x1, c.y1);
    });
}

int ByWorkSurface(const Capture& c) {
    if (c.source.desktop) {
        return -1;
    }
    platform::DisplaySurface* work = GetWorkSurface();
    const int width = c.x2 - c.x1;
    const int height = c.y2 - c.y1;
    const Rect screen{c.source.offset_x + c.x1, c.source.offset_y + c.y1, c.source.offset_x + c.x2,
                      c.source.offset_y + c.y2};
    if (work == nullptr || CopySurfaceRect(work, c.source.surface, 0, 0, screen, -1) < 0) {
        return -1;
    }
    platform::SurfaceDescription work_lock;
    const platform::DisplayRect area{0, 0, width, height};
    const int locked = platform::LockSurface(work, &area, &work_lock, platform::kLockWait);
    if (locked != platform::kDisplayOk) {
        return WriteLogFormat(kCapture5WorkLockFormat, locked);
    }
    const int result = ForEachTile(c, true, [&](const TileCopy& part) {
        const Rect texture_area{part.tile->TexX, part.tile->TexY, part.tile->TexX + part.width,
                                part.tile->TexY + part.height};
        int pitch = 0;
        std::uint8_t* pixels = nullptr;
        const PixelFormat* format = nullptr;
        const int tile_locked = LockSurfaceDataArea(part.tile->SurfaceHandle, &texture_area, &pitch,
                                                    &pixels, 0, nullptr, &format);
        if (tile_locked < 0) {
            return WriteLogFormat(kCapture5TileLockFormat, tile_locked);
        }
        const int left = part.tile->X;
        const int top = part.tile->Y;
        ConvertPixelRect(pixels, pitch, format, work_lock.pixels, work_lock.pitch,
                         GetScreenPixelFormat(), nullptr, 0, nullptr, part.tile->TexX,
                         part.tile->TexY, left, top, left + part.width, top + part.height, 0,
                         TransparentToAlpha(*format), part.data->TransColour, 0, 0, 0, 0, 0);
        UnlockSurfaceData(part.tile->SurfaceHandle);
        return 0;
    });
    platform::UnlockSurface(work);
    return result;
}

using CaptureVariant = int (*)(const Capture&);

// The order in which the variants are tried.
constexpr CaptureVariant kVariants[] = {ByWorkSurface, ByBltFast, ByWorkTextureLock, ByTileContexts,
                                        ByWorkTextureLoad};
constexpr int kVariantCount = static_cast<int>(std::size(kVariants));

int RunVariant(int index, const Capture& c) {
    return Acceptable(c) ? kVariants[index](c) : -1;
}

}  // namespace

int CaptureScreenTextured(int x1, int y1, int x2, int y2, GraphRecord* graph, int flag) {
    if (direct3d.Direct3D == nullptr) {
        return -1;
    }
    EndScene3D();
    FlushVertexBatch();
    if (direct3d.TargetUnusable != 0) {
        return 0;
    }
    const Surface3DData* first = graph->TileCount > 0 ? GetSurface3DData(graph->Tiles[0]) : nullptr;
    const SurfaceData* data = first != nullptr ? GetSurfaceData(first->SurfaceHandle) : nullptr;
    const bool alpha_kind =
        data != nullptr && (data->Key.AlphaChFlag != 0 || data->Key.AlphaTestFlag != 0);
    int& remembered = alpha_kind ? direct3d.CaptureIndexAlpha : direct3d.CaptureIndexPlain;
    const Capture capture{x1, y1, x2, y2, graph, SourceFor(flag)};
    if (remembered >= 0 && RunVariant(remembered, capture) >= 0) {
        return 0;
    }
    remembered = 0;
    int result = -1;
    for (int index = 0; index < kVariantCount; ++index) {
        result = RunVariant(index, capture);
        if (result == 0) {
            remembered = index;
            return 0;
        }
    }
    remembered = -1;
    return result;
}

}  // namespace layer
