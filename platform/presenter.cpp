#include "platform/presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/colour_row_copy.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/pixel_converter.h"
#include "platform/pixel_fields.h"
#include "platform/presenter_internal.h"
#include "platform/sdl_main_window.h"

namespace platform {
namespace {

RetainedFrame frame;
bool hint_set = false;

}  // namespace

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

namespace {

// Source columns of a nearest-neighbour row. The storage is kept from call to call, so that
// presenting allocates nothing once the widest row has been seen.
class ColumnMap {
  public:
    // Column i maps to offset + (first + i) x in / out.
    const int* Map(int first, int count, int in, int out, int offset) {
        if (columns_.size() < static_cast<std::size_t>(count)) {
            columns_.resize(static_cast<std::size_t>(count));
        }
        for (int i = 0; i < count; ++i) {
            columns_[static_cast<std::size_t>(i)] =
                offset + static_cast<int>(std::int64_t{first + i} * in / out);
        }
        return columns_.data();
    }

  private:
    std::vector<int> columns_;
};

ColumnMap window_columns;
ColumnMap bits_columns;

// The frame's pixels as 0x00RRGGBB, through the palette at 8 bits.
class FrameReader {
  public:
    FrameReader() : read_(frame.format), bytes_(static_cast<int>(frame.format.rgb_bit_count / 8)) {}

    std::uint32_t operator()(const std::uint8_t* row, int x) const {
        const std::uint32_t pixel = LoadPixel(row + x * bytes_, bytes_);
        if (bytes_ == 1) {
            const DisplayPaletteEntry& entry = frame.palette[pixel & 0xFF];
            return std::uint32_t{entry.red} << 16 | std::uint32_t{entry.green} << 8 | entry.blue;
        }
        return read_(pixel);
    }

  private:
    XrgbReader read_;
    int bytes_;
};

// 0x00RRGGBB in the window surface's format.
class WindowWriter {
  public:
    explicit WindowWriter(const SDL_PixelFormat& format)
        : red_loss_(format.Rloss),
          green_loss_(format.Gloss),
          blue_loss_(format.Bloss),
          red_shift_(format.Rshift),
          green_shift_(format.Gshift),
          blue_shift_(format.Bshift) {}

    std::uint32_t operator()(std::uint32_t xrgb) const {
        return ((xrgb >> 16 & 0xFF) >> red_loss_) << red_shift_ |
               ((xrgb >> 8 & 0xFF) >> green_loss_) << green_shift_ |
               ((xrgb & 0xFF) >> blue_loss_) << blue_shift_;
    }

  private:
    int red_loss_;
    int green_loss_;
    int blue_loss_;
    int red_shift_;
    int green_shift_;
    int blue_shift_;
};

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

// The window's surface holds the frame's pixel layout and shows the frame at its own size.
bool SameLayout(const SDL_Surface& surface, const DisplayRect& layout) {
    return frame.format.rgb_bit_count == 32 && surface.format->BytesPerPixel == 4 &&
           frame.format.red_mask == surface.format->Rmask &&
           frame.format.green_mask == surface.format->Gmask &&
           frame.format.blue_mask == surface.format->Bmask &&
           layout.right - layout.left == frame.width && layout.bottom - layout.top == frame.height;
}

// Writes the window rectangle `target` (inside the layout) from the frame by nearest
// neighbour.
void CopyToWindow(SDL_Surface* surface, const DisplayRect& layout, const DisplayRect& target) {
    const int out_width = layout.right - layout.left;
    const int out_height = layout.bottom - layout.top;
    const int bytes = surface->format->BytesPerPixel;
    const bool same_layout = SameLayout(*surface, layout);
    auto* base = static_cast<std::uint8_t*>(surface->pixels);
    const int count = target.right - target.left;
    const int* columns = same_layout ? nullptr
                                     : window_columns.Map(target.left - layout.left, count,
                                                          frame.width, out_width, 0);
    const FrameReader read;
    const WindowWriter write(*surface->format);
    for (int y = target.top; y < target.bottom; ++y) {
        const int source_y =
            static_cast<int>(std::int64_t{y - layout.top} * frame.height / out_height);
        std::uint8_t* row = base + y * surface->pitch + target.left * bytes;
        const std::uint8_t* source_row = frame.pixels.data() + source_y * frame.pitch;
        if (same_layout) {
            std::memcpy(row, source_row + (target.left - layout.left) * 4,
                        static_cast<std::size_t>(count) * 4);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            StorePixel(row + i * bytes, bytes, write(read(source_row, columns[i])));
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

// The masks of 16- and 32-bit bits, with their defaults.
layer::DdPixelFormat BitsFormat(const PixelBits& bits) {
    layer::DdPixelFormat format;
    const bool wide = bits.bits != 16;
    format.red_mask = bits.red_mask != 0 ? bits.red_mask : (wide ? 0xFF0000 : 0xF800);
    format.green_mask = bits.green_mask != 0 ? bits.green_mask : (wide ? 0x00FF00 : 0x07E0);
    format.blue_mask = bits.blue_mask != 0 ? bits.blue_mask : (wide ? 0x0000FF : 0x001F);
    return format;
}

// 0x00RRGGBB of every 16-bit pixel of the format, built again only when the masks change.
const std::uint32_t* SixteenBitTable(const layer::DdPixelFormat& format) {
    static std::vector<std::uint32_t> table;
    static layer::DdPixelFormat built;
    if (table.empty() || built.red_mask != format.red_mask ||
        built.green_mask != format.green_mask || built.blue_mask != format.blue_mask) {
        const XrgbReader read(format);
        table.resize(0x10000);
        for (std::uint32_t pixel = 0; pixel < 0x10000; ++pixel) {
            table[pixel] = read(pixel);
        }
        built = format;
    }
    return table.data();
}

// The source side of a conversion: 16-bit pixels through the table, 32-bit ones through the
// reader.
struct BitsReader {
    XrgbReader read;
    const std::uint32_t* sixteen_bit_table;
};

template <int kSourceBytes>
std::uint32_t LoadBitsXrgb(const std::uint8_t* row, int x, const BitsReader& read) {
    const std::uint8_t* at = row + x * kSourceBytes;
    if constexpr (kSourceBytes == 2) {
        return read.sixteen_bit_table[LoadPixel(at, 2)];
    } else if constexpr (kSourceBytes == 3) {
        return std::uint32_t{at[2]} << 16 | std::uint32_t{at[1]} << 8 | at[0];
    } else {
        return read.read(LoadPixel(at, 4));
    }
}

// One frame row of `count` pixels from a row of the bits: from column `first` on, or from the
// given columns when stretched.
template <int kSourceBytes, int kFrameBytes>
void ConvertBitsRow(const std::uint8_t* source_row, int first, const int* columns, int count,
                    const BitsReader& read, const XrgbWriter& write, std::uint8_t* row) {
    for (int i = 0; i < count; ++i) {
        const int x = columns != nullptr ? columns[i] : first + i;
        const std::uint32_t xrgb = LoadBitsXrgb<kSourceBytes>(source_row, x, read);
        if constexpr (kFrameBytes == 1) {
            StorePixel(row + i, 1, NearestPaletteIndex(xrgb));
        } else {
            StorePixel(row + i * kFrameBytes, kFrameBytes, write(xrgb));
        }
    }
}

template <int kSourceBytes>
void ConvertBitsRowTo(int frame_bytes, const std::uint8_t* source_row, int first,
                      const int* columns, int count, const BitsReader& read,
                      const XrgbWriter& write, std::uint8_t* row) {
    switch (frame_bytes) {
        case 1:
            ConvertBitsRow<kSourceBytes, 1>(source_row, first, columns, count, read, write, row);
            break;
        case 2:
            ConvertBitsRow<kSourceBytes, 2>(source_row, first, columns, count, read, write, row);
            break;
        case 3:
            ConvertBitsRow<kSourceBytes, 3>(source_row, first, columns, count, read, write, row);
            break;
        default:
            ConvertBitsRow<kSourceBytes, 4>(source_row, first, columns, count, read, write, row);
            break;
    }
}

// Where the frame lands on the window as it is now; false without a window or a frame.
bool WindowLayout(DisplayRect* layout) {
    SDL_Window* window = CurrentSdlWindow();
    if (window == nullptr || frame.width == 0 || frame.height == 0) {
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    *layout = FrameLayout(width, height);
    return true;
}

// A present of a frame rectangle into the window's own surface, locked between its begin
// and its end.
struct WindowCopy {
    SDL_Window* window = nullptr;
    SDL_Surface* surface = nullptr;
    DisplayRect layout;
    DisplayRect target;
};

// Finds where the frame rectangle `rect` (all of the frame when null) lands in the window's
// surface and locks it; false, with the present's result, where nothing is to be copied.
bool BeginWindowCopy(const DisplayRect* rect, WindowCopy* copy, int* result) {
    *result = 0;
    SDL_Window* window = CurrentSdlWindow();
    if (window == nullptr || frame.width == 0 || frame.height == 0) {
        return false;
    }
    if (HasGlContext()) {
        *result = ShowFrameThroughGl();
        return false;
    }
    if (!hint_set) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        hint_set = true;
    }
    // Fetched every time: a resize replaces the window's surface.
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        *result = -1;
        return false;
    }
    const DisplayRect layout = FrameLayout(surface->w, surface->h);
    DisplayRect part = rect != nullptr ? *rect : DisplayRect{0, 0, frame.width, frame.height};
    part = {std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, frame.width),
            std::min(part.bottom, frame.height)};
    if (part.right <= part.left || part.bottom <= part.top) {
        return false;
    }
    DisplayRect target = ToWindow(layout, part);
    target = {std::max(target.left, 0), std::max(target.top, 0), std::min(target.right, surface->w),
              std::min(target.bottom, surface->h)};
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
    *copy = {window, surface, layout, target};
    return true;
}

// Unlocks the surface and shows what was copied, with the bars beside the frame when the
// whole window is shown.
int EndWindowCopy(const WindowCopy& copy, const DisplayRect* rect) {
    if (SDL_MUSTLOCK(copy.surface)) {
        SDL_UnlockSurface(copy.surface);
    }
    const DisplayRect& target = copy.target;
    SDL_Rect shown{target.left, target.top, target.right - target.left, target.bottom - target.top};
    if (rect == nullptr) {
        FillBars(copy.surface, copy.layout);
        shown = {0, 0, copy.surface->w, copy.surface->h};
    }
    return SDL_UpdateWindowSurfaceRects(copy.window, &shown, 1) == 0 ? 0 : -1;
}

// The window row that shows frame row `y` from column `part.left`, where the window shows the
// frame's rectangle 1 : 1 in its own layout and whole; null otherwise.
std::uint8_t* DirectWindowRow(const WindowCopy& copy, const DisplayRect& part, int y) {
    const SDL_Surface& surface = *copy.surface;
    const DisplayRect& layout = copy.layout;
    const bool direct =
        SameLayout(surface, layout) && copy.target.left == part.left + layout.left &&
        copy.target.right == part.right + layout.left && copy.target.top == part.top + layout.top &&
        copy.target.bottom == part.bottom + layout.top;
    return direct ? static_cast<std::uint8_t*>(surface.pixels) + (y + layout.top) * surface.pitch +
                        copy.target.left * 4
                  : nullptr;
}

}  // namespace

void ConfigureRetainedFrame(int width, int height, const DdPixelFormat& format) {
    if (frame.width == width && frame.height == height &&
        std::memcmp(&frame.format, &format, sizeof(format)) == 0) {
        return;
    }
    DeleteGlSurface(frame.gpu);
    frame.gpu = nullptr;
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

GlSurface* FrameGpuCopy() {
    if (frame.gpu == nullptr && HasGlContext()) {
        frame.gpu = CreateGlSurface(frame.width, frame.height, frame.format, frame.pixels.data(),
                                    frame.pitch);
    }
    return frame.gpu;
}

void DetachFrameGpuCopy() {
    if (frame.gpu != nullptr) {
        SyncWholeForCpu(frame.gpu);
        DeleteGlSurface(frame.gpu);
        frame.gpu = nullptr;
    }
}

int ShowRetainedFrame(const DisplayRect* rect) {
    WindowCopy copy;
    int result = 0;
    if (!BeginWindowCopy(rect, &copy, &result)) {
        return result;
    }
    CopyToWindow(copy.surface, copy.layout, copy.target);
    return EndWindowCopy(copy, rect);
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
    const layer::DdPixelFormat format = BitsFormat(bits);
    const int count = part.right - part.left;
    const int first = source.left + (part.left - destination.left);
    const int* columns = in_width == out_width
                             ? nullptr
                             : bits_columns.Map(part.left - destination.left, count, in_width,
                                                out_width, source.left);
    // X8R8G8B8 bits into an X8R8G8B8 frame: each row copied with X cleared.
    const bool same_format =
        bits.bits == 32 && bytes == 4 && IsX8R8G8B8(format) && IsX8R8G8B8(frame.format);
    // The converters' tables are built only for rows that are converted.
    std::optional<BitsReader> read;
    std::optional<XrgbWriter> write;
    if (!same_format || columns != nullptr) {
        read.emplace(
            BitsReader{XrgbReader(format), bits.bits == 16 ? SixteenBitTable(format) : nullptr});
        write.emplace(frame.format);
    }
    // Same-format rows at their own size go into the frame and the window's surface in one
    // pass, each frame row copied on while it is still in the cache.
    // Where no copy begins, ShowRetainedFrame below gives the present's result.
    WindowCopy copy;
    int not_begun = 0;
    const bool copying = same_format && columns == nullptr && in_height == out_height &&
                         !HasGlContext() && BeginWindowCopy(&part, &copy, &not_begun);
    std::uint8_t* const first_window_row =
        copying ? DirectWindowRow(copy, part, part.top) : nullptr;
    const bool direct = first_window_row != nullptr;
    int previous_source_y = -1;
    for (int y = part.top; y < part.bottom; ++y) {
        const int source_y = source.top + static_cast<int>(std::int64_t{y - destination.top} *
                                                           in_height / out_height);
        std::uint8_t* row = frame.pixels.data() + y * frame.pitch + part.left * bytes;
        // A row stretched from the same source row as the one above is the same row.
        if (source_y == previous_source_y) {
            std::memcpy(row, row - frame.pitch, static_cast<std::size_t>(count) * bytes);
            continue;
        }
        previous_source_y = source_y;
        const std::uint8_t* source_row = bits.pixels + source_y * bits.pitch;
        if (same_format && columns == nullptr) {
            CopyColourRow(
                source_row + first * 4, count, row,
                direct ? first_window_row + (y - part.top) * copy.surface->pitch : nullptr);
            continue;
        }
        switch (bits.bits) {
            case 16:
                ConvertBitsRowTo<2>(bytes, source_row, first, columns, count, *read, *write, row);
                break;
            case 24:
                ConvertBitsRowTo<3>(bytes, source_row, first, columns, count, *read, *write, row);
                break;
            default:
                ConvertBitsRowTo<4>(bytes, source_row, first, columns, count, *read, *write, row);
                break;
        }
    }
    if (GlSurface* gpu = FrameGpuCopy(); gpu != nullptr) {
        NoteCpuWrite(gpu, part);
    }
    if (copying) {
        if (!direct) {
            CopyToWindow(copy.surface, copy.layout, copy.target);
        }
        return EndWindowCopy(copy, &part);
    }
    return ShowRetainedFrame(&part);
}

int ReadRetainedFrame(const DisplayRect& rect, std::uint32_t* pixels, int pitch) {
    if (rect.left < 0 || rect.top < 0 || rect.right > frame.width || rect.bottom > frame.height ||
        rect.right < rect.left || rect.bottom < rect.top) {
        return -1;
    }
    if (GlSurface* gpu = FrameGpuCopy(); gpu != nullptr) {
        SyncForCpu(gpu, rect);
    }
    const FrameReader read;
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(pixels) +
                                                     (y - rect.top) * pitch);
        const std::uint8_t* frame_row = frame.pixels.data() + y * frame.pitch;
        for (int x = rect.left; x < rect.right; ++x) {
            row[x - rect.left] = read(frame_row, x);
        }
    }
    return 0;
}

void WindowToFramePoint(int* x, int* y) {
    DisplayRect layout;
    if (!WindowLayout(&layout)) {
        return;
    }
    const int out_width = std::max(layout.right - layout.left, 1);
    const int out_height = std::max(layout.bottom - layout.top, 1);
    *x = static_cast<int>(std::int64_t{*x - layout.left} * frame.width / out_width);
    *y = static_cast<int>(std::int64_t{*y - layout.top} * frame.height / out_height);
}

void FrameToWindowPoint(int* x, int* y) {
    DisplayRect layout;
    if (!WindowLayout(&layout)) {
        return;
    }
    *x = layout.left +
         static_cast<int>(std::int64_t{*x} * (layout.right - layout.left) / frame.width);
    *y = layout.top +
         static_cast<int>(std::int64_t{*y} * (layout.bottom - layout.top) / frame.height);
}

}  // namespace platform
