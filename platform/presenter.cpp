#include "platform/presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/pixel_fields.h"
#include "platform/sdl_main_window.h"

namespace platform {
namespace {

RetainedFrame frame;
bool hint_set = false;

// Where the frame lands on a window surface of the given size: the whole surface when the
// sizes agree, else the largest centred rectangle of the frame's aspect.
DisplayRect FrameLayout(int window_width, int window_height) {
    if (frame.width == 0 || frame.height == 0 ||
        (window_width == frame.width && window_height == frame.height)) {
        return {0, 0, frame.width, frame.height};
    }
    int width = window_width;
    int height = static_cast<int>(std::int64_t{window_width} * frame.height / frame.width);
    if (height > window_height) {
        height = window_height;
        width = static_cast<int>(std::int64_t{window_height} * frame.width / frame.height);
    }
    const int left = (window_width - width) / 2;
    const int top = (window_height - height) / 2;
    return {left, top, left + width, top + height};
}

std::uint32_t FramePixelXrgb(int x, int y) {
    const int bytes = static_cast<int>(frame.format.rgb_bit_count / 8);
    const std::uint32_t pixel = LoadPixel(frame.pixels.data() + y * frame.pitch + x * bytes, bytes);
    if (bytes == 1) {
        const DisplayPaletteEntry& entry = frame.palette[pixel & 0xFF];
        return std::uint32_t{entry.red} << 16 | std::uint32_t{entry.green} << 8 | entry.blue;
    }
    return PixelToXrgb(frame.format, pixel);
}

std::uint32_t XrgbToWindow(const SDL_PixelFormat& format, std::uint32_t xrgb) {
    return ((xrgb >> 16 & 0xFF) >> format.Rloss) << format.Rshift |
           ((xrgb >> 8 & 0xFF) >> format.Gloss) << format.Gshift |
           ((xrgb & 0xFF) >> format.Bloss) << format.Bshift;
}

void FillBlack(SDL_Surface* surface, const SDL_Rect& rect) {
    if (rect.w > 0 && rect.h > 0) {
        SDL_FillRect(surface, &rect, 0);
    }
}

// The bars beside a scaled frame.
void FillBars(SDL_Surface* surface, const DisplayRect& layout) {
    FillBlack(surface, {0, 0, surface->w, layout.top});
    FillBlack(surface, {0, layout.bottom, surface->w, surface->h - layout.bottom});
    FillBlack(surface, {0, layout.top, layout.left, layout.bottom - layout.top});
    FillBlack(surface,
              {layout.right, layout.top, surface->w - layout.right, layout.bottom - layout.top});
}

// Writes the window rectangle `target` (inside the layout) from the frame by nearest
// neighbour.
void CopyToWindow(SDL_Surface* surface, const DisplayRect& layout, const DisplayRect& target) {
    const int out_width = layout.right - layout.left;
    const int out_height = layout.bottom - layout.top;
    const int bytes = surface->format->BytesPerPixel;
    const bool same_layout = frame.format.rgb_bit_count == 32 && bytes == 4 &&
                             frame.format.red_mask == surface->format->Rmask &&
                             frame.format.green_mask == surface->format->Gmask &&
                             frame.format.blue_mask == surface->format->Bmask &&
                             out_width == frame.width && out_height == frame.height;
    auto* base = static_cast<std::uint8_t*>(surface->pixels);
    for (int y = target.top; y < target.bottom; ++y) {
        const int source_y =
            static_cast<int>(std::int64_t{y - layout.top} * frame.height / out_height);
        std::uint8_t* row = base + y * surface->pitch;
        if (same_layout) {
            std::memcpy(
                row + target.left * 4,
                frame.pixels.data() + source_y * frame.pitch + (target.left - layout.left) * 4,
                static_cast<std::size_t>(target.right - target.left) * 4);
            continue;
        }
        for (int x = target.left; x < target.right; ++x) {
            const int source_x =
                static_cast<int>(std::int64_t{x - layout.left} * frame.width / out_width);
            StorePixel(row + x * bytes, bytes,
                       XrgbToWindow(*surface->format, FramePixelXrgb(source_x, source_y)));
        }
    }
}

// The window rectangle covering a frame rectangle under the layout.
DisplayRect ToWindow(const DisplayRect& layout, const DisplayRect& rect) {
    const std::int64_t out_width = layout.right - layout.left;
    const std::int64_t out_height = layout.bottom - layout.top;
    return {
        layout.left + static_cast<int>(rect.left * out_width / frame.width),
        layout.top + static_cast<int>(rect.top * out_height / frame.height),
        layout.left + static_cast<int>((rect.right * out_width + frame.width - 1) / frame.width),
        layout.top +
            static_cast<int>((rect.bottom * out_height + frame.height - 1) / frame.height)};
}

std::uint32_t ReadBitsXrgb(const PixelBits& bits, int x, int y) {
    const std::uint8_t* at = bits.pixels + y * bits.pitch;
    switch (bits.bits) {
        case 16: {
            layer::DdPixelFormat format;
            format.red_mask = bits.red_mask != 0 ? bits.red_mask : 0xF800;
            format.green_mask = bits.green_mask != 0 ? bits.green_mask : 0x07E0;
            format.blue_mask = bits.blue_mask != 0 ? bits.blue_mask : 0x001F;
            return PixelToXrgb(format, LoadPixel(at + x * 2, 2));
        }
        case 24:
            return std::uint32_t{at[x * 3 + 2]} << 16 | std::uint32_t{at[x * 3 + 1]} << 8 |
                   at[x * 3];
        default: {
            layer::DdPixelFormat format;
            format.red_mask = bits.red_mask != 0 ? bits.red_mask : 0xFF0000;
            format.green_mask = bits.green_mask != 0 ? bits.green_mask : 0x00FF00;
            format.blue_mask = bits.blue_mask != 0 ? bits.blue_mask : 0x0000FF;
            return PixelToXrgb(format, LoadPixel(at + x * 4, 4));
        }
    }
}

// The palette index nearest to a colour (lowest index on a tie).
std::uint32_t NearestPaletteIndex(std::uint32_t xrgb) {
    std::uint32_t best = 0;
    int best_distance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = frame.palette[i].red - static_cast<int>(xrgb >> 16 & 0xFF);
        const int dg = frame.palette[i].green - static_cast<int>(xrgb >> 8 & 0xFF);
        const int db = frame.palette[i].blue - static_cast<int>(xrgb & 0xFF);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = static_cast<std::uint32_t>(i);
        }
    }
    return best;
}

}  // namespace

void ConfigureRetainedFrame(int width, int height, const DdPixelFormat& format) {
    if (frame.width == width && frame.height == height &&
        std::memcmp(&frame.format, &format, sizeof(format)) == 0) {
        return;
    }
    frame.width = std::max(width, 0);
    frame.height = std::max(height, 0);
    frame.format = format;
    frame.pitch =
        frame.width * static_cast<int>(std::max<std::uint32_t>(format.rgb_bit_count / 8, 1));
    frame.pixels.assign(static_cast<std::size_t>(frame.pitch) * frame.height, 0);
}

RetainedFrame& GetRetainedFrame() {
    return frame;
}

void SetRetainedFramePalette(const DisplayPaletteEntry* entries) {
    std::copy(entries, entries + 256, frame.palette);
}

int ShowRetainedFrame(const DisplayRect* rect) {
    SDL_Window* window = CurrentSdlWindow();
    if (window == nullptr || frame.width == 0 || frame.height == 0) {
        return 0;
    }
    if (!hint_set) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        hint_set = true;
    }
    // Fetched every time: a resize replaces the window's surface.
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return -1;
    }
    const DisplayRect layout = FrameLayout(surface->w, surface->h);
    DisplayRect part = rect != nullptr ? *rect : DisplayRect{0, 0, frame.width, frame.height};
    part = {std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, frame.width),
            std::min(part.bottom, frame.height)};
    if (part.right <= part.left || part.bottom <= part.top) {
        return 0;
    }
    DisplayRect target = ToWindow(layout, part);
    target = {std::max(target.left, 0), std::max(target.top, 0), std::min(target.right, surface->w),
              std::min(target.bottom, surface->h)};
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
    CopyToWindow(surface, layout, target);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    SDL_Rect shown{target.left, target.top, target.right - target.left, target.bottom - target.top};
    if (rect == nullptr) {
        FillBars(surface, layout);
        shown = {0, 0, surface->w, surface->h};
    }
    return SDL_UpdateWindowSurfaceRects(window, &shown, 1) == 0 ? 0 : -1;
}

int PresentBits(const DisplayRect& destination, const PixelBits& bits, const DisplayRect& source) {
    const int out_width = destination.right - destination.left;
    const int out_height = destination.bottom - destination.top;
    const int in_width = source.right - source.left;
    const int in_height = source.bottom - source.top;
    if (out_width <= 0 || out_height <= 0 || in_width <= 0 || in_height <= 0 || source.left < 0 ||
        source.top < 0 || source.right > bits.width || source.bottom > bits.height) {
        return -1;
    }
    const DisplayRect part{std::max(destination.left, 0), std::max(destination.top, 0),
                           std::min(destination.right, frame.width),
                           std::min(destination.bottom, frame.height)};
    if (part.right <= part.left || part.bottom <= part.top) {
        return 0;
    }
    const int bytes = static_cast<int>(frame.format.rgb_bit_count / 8);
    for (int y = part.top; y < part.bottom; ++y) {
        const int source_y = source.top + static_cast<int>(std::int64_t{y - destination.top} *
                                                           in_height / out_height);
        std::uint8_t* row = frame.pixels.data() + y * frame.pitch;
        for (int x = part.left; x < part.right; ++x) {
            const int source_x = source.left + static_cast<int>(std::int64_t{x - destination.left} *
                                                                in_width / out_width);
            const std::uint32_t xrgb = ReadBitsXrgb(bits, source_x, source_y);
            StorePixel(row + x * bytes, bytes,
                       bytes == 1 ? NearestPaletteIndex(xrgb) : XrgbToPixel(frame.format, xrgb));
        }
    }
    return ShowRetainedFrame(&part);
}

int ReadRetainedFrame(const DisplayRect& rect, std::uint32_t* pixels, int pitch) {
    if (rect.left < 0 || rect.top < 0 || rect.right > frame.width || rect.bottom > frame.height ||
        rect.right < rect.left || rect.bottom < rect.top) {
        return -1;
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(pixels) +
                                                     (y - rect.top) * pitch);
        for (int x = rect.left; x < rect.right; ++x) {
            row[x - rect.left] = FramePixelXrgb(x, y);
        }
    }
    return 0;
}

void WindowToFramePoint(int* x, int* y) {
    SDL_Window* window = CurrentSdlWindow();
    if (window == nullptr || frame.width == 0 || frame.height == 0) {
        return;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const DisplayRect layout = FrameLayout(width, height);
    const int out_width = std::max(layout.right - layout.left, 1);
    const int out_height = std::max(layout.bottom - layout.top, 1);
    *x = static_cast<int>(std::int64_t{*x - layout.left} * frame.width / out_width);
    *y = static_cast<int>(std::int64_t{*y - layout.top} * frame.height / out_height);
}

}  // namespace platform
