// Moving pixels between surfaces of the display stand-in: fills, copies (stretched by nearest
// neighbour), keyed copies, the flip of a chain and the system-drawing copy.
#include <cstring>
#include <vector>

#include "platform/display_hooks.h"
#include "platform/display_internal.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/pixel_fields.h"
#include "platform/presenter.h"

namespace platform {
namespace {

bool SameFormat(const DdPixelFormat& a, const DdPixelFormat& b) {
    return a.rgb_bit_count == b.rgb_bit_count && a.red_mask == b.red_mask &&
           a.green_mask == b.green_mask && a.blue_mask == b.blue_mask &&
           (a.flags & kPixelFormatZBuffer) == (b.flags & kPixelFormatZBuffer);
}

void ShowIfPrimary(DisplaySurface* surface, const DisplayRect& rect) {
    if (IsPrimary(surface)) {
        ShowPrimaryRect(rect);
    }
}

void Fill(const SurfaceView& view, const DisplayRect& rect, std::uint32_t value) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            StorePixel(view.At(x, y), view.bytes_per_pixel, value);
        }
    }
}

// Writes the part `clip` of the destination rectangle `target` from the source rectangle
// `from`, nearest neighbour when their sizes differ; with `key` the source's key pixels are
// skipped. The source is read from a copy, so overlapping rectangles of one surface are safe;
// the copy's storage is kept from call to call, so that a blit allocates nothing once the
// largest rectangle has been seen.
void Copy(const SurfaceView& to, const DisplayRect& target, const DisplayRect& clip,
          const SurfaceView& from, const DisplayRect& source, const ColourKey* key) {
    static std::vector<std::uint8_t> rows;
    const int bytes = to.bytes_per_pixel;
    const int source_width = source.right - source.left;
    const int source_height = source.bottom - source.top;
    const std::size_t size = static_cast<std::size_t>(source_width) * source_height * bytes;
    if (rows.size() < size) {
        rows.resize(size);
    }
    for (int y = 0; y < source_height; ++y) {
        std::memcpy(rows.data() + static_cast<std::size_t>(y) * source_width * bytes,
                    from.At(source.left, source.top + y),
                    static_cast<std::size_t>(source_width) * bytes);
    }
    const int target_width = target.right - target.left;
    const int target_height = target.bottom - target.top;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy =
            static_cast<int>(std::int64_t{y - target.top} * source_height / target_height);
        const std::uint8_t* row = rows.data() + static_cast<std::size_t>(sy) * source_width * bytes;
        if (key == nullptr && target_width == source_width) {
            std::memcpy(to.At(clip.left, y), row + (clip.left - target.left) * bytes,
                        static_cast<std::size_t>(clip.right - clip.left) * bytes);
            continue;
        }
        for (int x = clip.left; x < clip.right; ++x) {
            const int sx =
                static_cast<int>(std::int64_t{x - target.left} * source_width / target_width);
            const std::uint32_t pixel = LoadPixel(row + sx * bytes, bytes);
            if (key != nullptr && pixel >= key->low && pixel <= key->high) {
                continue;
            }
            StorePixel(to.At(x, y), bytes, pixel);
        }
    }
}

// Checks and runs a copy between two surfaces; the destination rectangle is clipped to the
// client area on the primary and must lie inside any other surface.
int CopyBetween(DisplaySurface* destination, const DisplayRect& target, DisplaySurface* source,
                const DisplayRect& source_rect, bool keyed) {
    if (destination->lost || source->lost) {
        return kDisplaySurfaceLost;
    }
    if (!SameFormat(destination->format, source->format)) {
        return kDisplayUnsupported;
    }
    const SurfaceView to = ViewOf(destination);
    const SurfaceView from = ViewOf(source);
    if (RectEmpty(target) || RectEmpty(source_rect) || !RectInside(source_rect, from.bounds) ||
        (!IsPrimary(destination) && !RectInside(target, to.bounds))) {
        return kDisplayInvalidRect;
    }
    const DisplayRect clip = IntersectRects(target, to.bounds);
    if (RectEmpty(clip)) {
        return kDisplayOk;
    }
    const ColourKey* key = keyed && source->has_source_key ? &source->source_key : nullptr;
    GlSurface* gpu_to = GpuCopyOf(destination);
    GlSurface* gpu_from = GpuCopyOf(source);
    if (gpu_to != nullptr && gpu_from != nullptr && gpu_to != gpu_from && key == nullptr) {
        BlitGlSurface(gpu_to, LocalRect(destination, target), gpu_from,
                      LocalRect(source, source_rect));
    } else {
        if (gpu_from != nullptr) {
            SyncForCpu(gpu_from, LocalRect(source, source_rect));
        }
        if (gpu_to != nullptr) {
            SyncForCpu(gpu_to, LocalRect(destination, clip));
        }
        Copy(to, target, clip, from, source_rect, key);
        if (gpu_to != nullptr) {
            NoteCpuWrite(gpu_to, LocalRect(destination, clip));
        }
    }
    ShowIfPrimary(destination, clip);
    return kDisplayOk;
}

}  // namespace

int BltSurface(DisplaySurface* destination, const DisplayRect* destination_rect,
               DisplaySurface* source, const DisplayRect* source_rect, std::uint32_t flags,
               std::uint32_t fill_value) {
    NoteDisplayCall("BltSurface");
    if (destination->lost) {
        return kDisplaySurfaceLost;
    }
    const SurfaceView to = ViewOf(destination);
    const DisplayRect target = destination_rect != nullptr ? *destination_rect : to.bounds;
    if ((flags & (kBltColourFill | kBltDepthFill)) != 0) {
        const bool depth = (flags & kBltDepthFill) != 0;
        if (depth != (destination->z_bits != 0)) {
            return kDisplayUnsupported;
        }
        if (!IsPrimary(destination) && !RectInside(target, to.bounds)) {
            return kDisplayInvalidRect;
        }
        const DisplayRect clip = IntersectRects(target, to.bounds);
        if (!RectEmpty(clip)) {
            // A GPU copy with nothing newer than the CPU buffer is filled in the buffer: a lock
            // after the fill (a texture filled, then written a part at a time) does not read the
            // GPU copy back, and a texture that is only sampled never becomes a render target
            // (a software GL driver flushes its pending frame whenever such a texture is bound).
            GlSurface* gpu = depth ? nullptr : GpuCopyOf(destination);
            if (gpu != nullptr && gpu->gpu_newer) {
                FillGlSurface(gpu, LocalRect(destination, clip), fill_value);
            } else {
                Fill(to, clip, fill_value);
                if (gpu != nullptr) {
                    NoteCpuWrite(gpu, LocalRect(destination, clip));
                }
            }
            ShowIfPrimary(destination, clip);
        }
        return kDisplayOk;
    }
    if (source == nullptr) {
        return kDisplayFailed;
    }
    const DisplayRect from = source_rect != nullptr ? *source_rect : ViewOf(source).bounds;
    return CopyBetween(destination, target, source, from, (flags & kBltSourceColourKey) != 0);
}

int BltFastSurface(DisplaySurface* destination, int x, int y, DisplaySurface* source,
                   const DisplayRect* source_rect, std::uint32_t flags) {
    NoteDisplayCall("BltFastSurface");
    const DisplayRect from = source_rect != nullptr ? *source_rect : ViewOf(source).bounds;
    const DisplayRect target{x, y, x + from.right - from.left, y + from.bottom - from.top};
    if (!RectInside(target, ViewOf(destination).bounds)) {
        return kDisplayInvalidRect;
    }
    return CopyBetween(destination, target, source, from, (flags & kBltFastSourceColourKey) != 0);
}

int FlipSurface(DisplaySurface* front, std::uint32_t flags) {
    NoteDisplayCall("FlipSurface");
    DisplaySurface* back = nullptr;
    for (DisplaySurface* attached : front->attached) {
        if (attached->chain_owner == front) {
            back = attached;
        }
    }
    if (back == nullptr) {
        return kDisplayNotFound;
    }
    if (front->lost || back->lost) {
        return kDisplaySurfaceLost;
    }
    if ((flags & kFlipNoVsync) == 0) {
        WaitForVerticalBlank(front->object);
    }
    const DisplayRect whole{0, 0, back->width, back->height};
    return CopyBetween(front, whole, back, whole, false);
}

int GetSurfaceDrawContext(DisplaySurface* surface) {
    NoteDisplayCall("GetSurfaceDrawContext");
    if (surface->lost || surface->draw_context_open) {
        return kDisplayFailed;
    }
    surface->draw_context_open = true;
    return kDisplayOk;
}

int ReleaseSurfaceDrawContext(DisplaySurface* surface) {
    if (!surface->draw_context_open) {
        return kDisplayFailed;
    }
    surface->draw_context_open = false;
    return kDisplayOk;
}

int CopyBetweenDrawContexts(DisplaySurface* destination, int x, int y, int width, int height,
                            DisplaySurface* source, int source_x, int source_y) {
    NoteDisplayCall("CopyBetweenDrawContexts");
    if (!destination->draw_context_open || !source->draw_context_open) {
        return kDisplayFailed;
    }
    return CopyBetween(destination, {x, y, x + width, y + height}, source,
                       {source_x, source_y, source_x + width, source_y + height}, false);
}

}  // namespace platform
