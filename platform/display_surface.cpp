// Surfaces of the display stand-in: creation with the display's defaults, flip chains and
// attachments, locks, colour keys, loss and restore, palettes and clippers.
#include <algorithm>

#include "platform/display_hooks.h"
#include "platform/display_internal.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/presenter.h"

namespace platform {
namespace {

constexpr std::uint8_t kScrambledByte = 0xA5;
constexpr int kLargestSide = 65535;

// Surfaces that default to video memory.
constexpr std::uint32_t kVideoMemoryKinds = kCapsPrimary | kCaps3DDevice | kCapsTexture;

bool IsSupportedFormat(const DdPixelFormat& format) {
    if ((format.flags & kPixelFormatFourCc) != 0) {
        return false;
    }
    const std::uint32_t bits = format.rgb_bit_count;
    return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

DisplaySurface* NewSurface(DisplayObject* object, std::uint32_t caps, int width, int height,
                           const DdPixelFormat& format) {
    auto* surface = new DisplaySurface;
    surface->object = object;
    surface->caps = caps;
    surface->width = width;
    surface->height = height;
    surface->format = format;
    if ((caps & kCapsPrimary) == 0) {
        surface->pitch = (width * BytesPerPixelOf(format) + 3) & ~3;
        surface->pixels.assign(static_cast<std::size_t>(surface->pitch) * height, 0);
    }
    object->surfaces.push_back(surface);
    AttachGpuCopy(surface);
    return surface;
}

std::uint32_t WithMemoryDefault(std::uint32_t caps) {
    if ((caps & (kCapsVideoMemory | kCapsSystemMemory)) != 0) {
        return caps;
    }
    return caps | ((caps & kVideoMemoryKinds) != 0 ? kCapsVideoMemory : kCapsSystemMemory);
}

void EnsureFrame() {
    const DisplayRect client = ReadClientArea();
    ConfigureRetainedFrame(client.right - client.left, client.bottom - client.top,
                           CurrentDisplayFormat());
}

}  // namespace

bool IsPrimary(const DisplaySurface* surface) {
    return (surface->caps & kCapsPrimary) != 0;
}

SurfaceView ViewOf(DisplaySurface* surface) {
    if (!IsPrimary(surface)) {
        return {{0, 0, surface->width, surface->height},
                surface->pixels.data(),
                surface->pitch,
                BytesPerPixelOf(surface->format)};
    }
    const DisplayRect client = ReadClientArea();
    ConfigureRetainedFrame(client.right - client.left, client.bottom - client.top, surface->format);
    RetainedFrame& frame = GetRetainedFrame();
    return {client, frame.pixels.data(), frame.pitch, BytesPerPixelOf(surface->format)};
}

void ShowPrimaryRect(const DisplayRect& rect) {
    const DisplayRect client = ReadClientArea();
    const DisplayRect local{rect.left - client.left, rect.top - client.top,
                            rect.right - client.left, rect.bottom - client.top};
    ShowRetainedFrame(&local);
}

bool RectInside(const DisplayRect& rect, const DisplayRect& bounds) {
    return rect.left >= bounds.left && rect.top >= bounds.top && rect.right <= bounds.right &&
           rect.bottom <= bounds.bottom && rect.left <= rect.right && rect.top <= rect.bottom;
}

bool RectEmpty(const DisplayRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

DisplayRect IntersectRects(const DisplayRect& a, const DisplayRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void LoseVideoMemorySurfaces(DisplayObject* object) {
    for (DisplaySurface* surface : object->surfaces) {
        if ((surface->caps & kCapsVideoMemory) != 0) {
            surface->lost = true;
            std::fill(surface->pixels.begin(), surface->pixels.end(), kScrambledByte);
            // The GPU copy is lost with it: the scrambled pixels go up at its next use.
            if (surface->gpu != nullptr) {
                surface->gpu->gpu_newer = false;
                NoteCpuWrite(surface->gpu, {0, 0, surface->width, surface->height});
            }
        }
    }
}

int CreateSurface(DisplayObject* object, const SurfaceDescription& description,
                  DisplaySurface** out) {
    NoteDisplayCall("CreateSurface");
    *out = nullptr;
    const std::uint32_t requested =
        (description.fields & kDescCaps) != 0 ? description.caps : kCapsOffscreenPlain;
    if ((requested & kCapsOverlay) != 0 ||
        TakeDisplayFailure(DisplayOperation::kCreateSurface, requested)) {
        return kDisplayUnsupported;
    }
    const std::uint32_t caps = WithMemoryDefault(requested);
    if ((caps & kCapsPrimary) != 0) {
        EnsureFrame();
        const DisplayMode mode = ReadDisplayModeInForce();
        DisplaySurface* front = NewSurface(object, caps, mode.width, mode.height, mode.format);
        if ((caps & kCapsFlip) != 0 && description.back_buffer_count > 0) {
            DisplaySurface* back =
                NewSurface(object, kCapsBackBuffer | kCaps3DDevice | kCapsVideoMemory, mode.width,
                           mode.height, mode.format);
            back->chain_owner = front;
            front->attached.push_back(back);
        }
        *out = front;
        return kDisplayOk;
    }
    const int width = description.width;
    const int height = description.height;
    if ((description.fields & (kDescWidth | kDescHeight)) != (kDescWidth | kDescHeight) ||
        width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        return kDisplayFailed;
    }
    DdPixelFormat format = CurrentDisplayFormat();
    int z_bits = 0;
    if ((caps & kCapsZBuffer) != 0) {
        format = {32, kPixelFormatZBuffer, 0, 16, 0, 0, 0, 0};
        z_bits = 16;
    } else if ((description.fields & kDescPixelFormat) != 0) {
        if (!IsSupportedFormat(description.format)) {
            return kDisplayUnsupported;
        }
        format = description.format;
    }
    DisplaySurface* surface = NewSurface(object, caps, width, height, format);
    surface->z_bits = z_bits;
    if ((description.fields & kDescColourKey) != 0) {
        surface->has_source_key = true;
        surface->source_key = description.source_key;
    }
    *out = surface;
    return kDisplayOk;
}

void ReleaseSurface(DisplaySurface* surface) {
    if (surface == nullptr) {
        return;
    }
    DisplayObject* object = surface->object;
    for (DisplaySurface* attached : std::vector<DisplaySurface*>(surface->attached)) {
        if (attached->chain_owner == surface) {
            ReleaseSurface(attached);
        }
    }
    for (DisplaySurface* other : object->surfaces) {
        std::erase(other->attached, surface);
    }
    std::erase(object->surfaces, surface);
    DeleteGlSurface(surface->gpu);
    delete surface;
}

int GetSurfaceDescription(const DisplaySurface* surface, SurfaceDescription* description) {
    *description = SurfaceDescription{};
    description->fields = kDescCaps | kDescWidth | kDescHeight | kDescPitch | kDescPixelFormat;
    description->caps = surface->caps;
    description->width = surface->width;
    description->height = surface->height;
    description->pitch = IsPrimary(surface) ? GetRetainedFrame().pitch : surface->pitch;
    description->format = surface->format;
    description->z_bits = surface->z_bits;
    return kDisplayOk;
}

std::uint32_t GetSurfaceCaps(const DisplaySurface* surface) {
    return surface->caps;
}

int GetSurfacePixelFormat(const DisplaySurface* surface, DdPixelFormat* format) {
    *format = surface->format;
    return kDisplayOk;
}

int LockSurface(DisplaySurface* surface, const DisplayRect* rect, SurfaceDescription* description,
                std::uint32_t flags) {
    NoteDisplayCall("LockSurface");
    if (surface->lost) {
        return kDisplaySurfaceLost;
    }
    if (TakeDisplayFailure(DisplayOperation::kLock)) {
        return kDisplayFailed;
    }
    const SurfaceView view = ViewOf(surface);
    const DisplayRect area = rect != nullptr ? *rect : view.bounds;
    if (!RectInside(area, view.bounds)) {
        return kDisplayInvalidRect;
    }
    const DisplayRect local = LocalRect(surface, area);
    if (GlSurface* gpu = GpuCopyOf(surface); gpu != nullptr) {
        SyncForCpu(gpu, local);
    }
    GetSurfaceDescription(surface, description);
    description->fields |= kDescPixels;
    description->pixels = view.At(area.left, area.top);
    description->pitch = view.pitch;
    surface->locked_rect = surface->lock_depth == 0
                               ? local
                               : DisplayRect{std::min(surface->locked_rect.left, local.left),
                                             std::min(surface->locked_rect.top, local.top),
                                             std::max(surface->locked_rect.right, local.right),
                                             std::max(surface->locked_rect.bottom, local.bottom)};
    ++surface->lock_depth;
    if ((flags & kLockReadOnly) == 0) {
        surface->locked_for_writing = true;
    }
    return kDisplayOk;
}

int UnlockSurface(DisplaySurface* surface) {
    NoteDisplayCall("UnlockSurface");
    if (surface->lock_depth == 0) {
        return kDisplayFailed;
    }
    --surface->lock_depth;
    if (surface->lock_depth == 0 && surface->locked_for_writing) {
        if (GlSurface* gpu = GpuCopyOf(surface); gpu != nullptr) {
            NoteCpuWrite(gpu, surface->locked_rect);
        }
        if (IsPrimary(surface)) {
            ShowPrimaryRect(ViewOf(surface).bounds);
        }
    }
    if (surface->lock_depth == 0) {
        surface->locked_for_writing = false;
    }
    return kDisplayOk;
}

int IsSurfaceLost(const DisplaySurface* surface) {
    return surface->lost ? kDisplaySurfaceLost : kDisplayOk;
}

int RestoreSurface(DisplaySurface* surface) {
    NoteDisplayCall("RestoreSurface");
    surface->lost = false;
    return kDisplayOk;
}

int SetSurfaceColourKey(DisplaySurface* surface, std::uint32_t flags, const ColourKey* key) {
    if ((flags & kColourKeySourceBlt) == 0) {
        return kDisplayUnsupported;
    }
    surface->has_source_key = key != nullptr;
    surface->source_key = key != nullptr ? *key : ColourKey{};
    return kDisplayOk;
}

int GetSurfaceColourKey(const DisplaySurface* surface, ColourKey* key) {
    if (!surface->has_source_key) {
        return kDisplayNotFound;
    }
    *key = surface->source_key;
    return kDisplayOk;
}

int GetAttachedSurface(DisplaySurface* surface, std::uint32_t caps, DisplaySurface** out) {
    for (DisplaySurface* attached : surface->attached) {
        if ((attached->caps & caps) == caps) {
            *out = attached;
            return kDisplayOk;
        }
    }
    *out = nullptr;
    return kDisplayNotFound;
}

int AddAttachedSurface(DisplaySurface* surface, DisplaySurface* attached) {
    if (attached == surface ||
        std::ranges::find(surface->attached, attached) != surface->attached.end()) {
        return kDisplayFailed;
    }
    surface->attached.push_back(attached);
    return kDisplayOk;
}

int DeleteAttachedSurface(DisplaySurface* surface, DisplaySurface* attached) {
    if (std::erase(surface->attached, attached) == 0) {
        return kDisplayNotFound;
    }
    return kDisplayOk;
}

int EnumAttachedSurfaces(DisplaySurface* surface, AttachedSurfaceVisitor visit, void* context) {
    for (DisplaySurface* attached : std::vector<DisplaySurface*>(surface->attached)) {
        if (visit(attached, context) == 0) {
            break;
        }
    }
    return kDisplayOk;
}

int SetSurfacePalette(DisplaySurface* surface, DisplayPalette* palette) {
    surface->palette = palette;
    if (IsPrimary(surface) && palette != nullptr) {
        SetRetainedFramePalette(palette->entries);
    }
    return kDisplayOk;
}

int SetSurfaceClipper(DisplaySurface* surface, DisplayClipper* clipper) {
    surface->clipper = clipper;
    return kDisplayOk;
}

int CreateClipper(DisplayObject* object, DisplayClipper** out) {
    NoteDisplayCall("CreateClipper");
    if (TakeDisplayFailure(DisplayOperation::kClipper)) {
        *out = nullptr;
        return kDisplayFailed;
    }
    *out = new DisplayClipper{object, nullptr};
    object->clippers.push_back(*out);
    return kDisplayOk;
}

int SetClipperWindow(DisplayClipper* clipper, Window* window) {
    clipper->window = window;
    return kDisplayOk;
}

void ReleaseClipper(DisplayClipper* clipper) {
    if (clipper == nullptr) {
        return;
    }
    for (DisplaySurface* surface : clipper->object->surfaces) {
        if (surface->clipper == clipper) {
            surface->clipper = nullptr;
        }
    }
    std::erase(clipper->object->clippers, clipper);
    delete clipper;
}

int CreatePalette(DisplayObject* object, std::uint32_t caps, const DisplayPaletteEntry* entries,
                  DisplayPalette** out) {
    *out = nullptr;
    if ((caps & kPalette8Bit) == 0) {
        return kDisplayUnsupported;
    }
    auto* palette = new DisplayPalette;
    palette->object = object;
    std::copy(entries, entries + 256, palette->entries);
    object->palettes.push_back(palette);
    *out = palette;
    return kDisplayOk;
}

int SetPaletteEntries(DisplayPalette* palette, int first, int count,
                      const DisplayPaletteEntry* entries) {
    if (first < 0 || count < 0 || first + count > 256) {
        return kDisplayFailed;
    }
    std::copy(entries, entries + count, palette->entries + first);
    for (DisplaySurface* surface : palette->object->surfaces) {
        if (surface->palette == palette && IsPrimary(surface)) {
            SetRetainedFramePalette(palette->entries);
        }
    }
    return kDisplayOk;
}

int GetPaletteEntries(const DisplayPalette* palette, int first, int count,
                      DisplayPaletteEntry* entries) {
    if (first < 0 || count < 0 || first + count > 256) {
        return kDisplayFailed;
    }
    std::copy(palette->entries + first, palette->entries + first + count, entries);
    return kDisplayOk;
}

void ReleasePalette(DisplayPalette* palette) {
    if (palette == nullptr) {
        return;
    }
    for (DisplaySurface* surface : palette->object->surfaces) {
        if (surface->palette == palette) {
            surface->palette = nullptr;
        }
    }
    std::erase(palette->object->palettes, palette);
    delete palette;
}

}  // namespace platform
