// Dedicated loops for the common pairs of formats, taken without dithering, mirroring, alpha
// images or single-channel writes. Unused bits are not set here: 5-6-5 to X8R8G8B8 leaves the
// top byte 0.
#include "layer/media/pixel_bytes.h"
#include "layer/media/pixel_rect_job.h"

namespace layer {

namespace {

enum class Layout { kPalette8, kRgb24, kXrgb32, kAny32, kRgb565, kRgb555, kArgb1555, kArgb8888 };

bool HasMasks(const PixelFormat& f, int bits, std::uint32_t red, std::uint32_t green,
              std::uint32_t blue) {
    return f.bits_per_pixel == bits && f.red_mask == red && f.green_mask == green &&
           f.blue_mask == blue;
}

bool IsLayout(const PixelFormat& f, Layout layout) {
    switch (layout) {
        case Layout::kPalette8:
            return f.bytes_per_pixel == 1;
        case Layout::kRgb24:
            return HasMasks(f, 24, 0xFF0000, 0xFF00, 0xFF);
        case Layout::kXrgb32:
            return HasMasks(f, 32, 0xFF0000, 0xFF00, 0xFF) && f.alpha_mask == 0;
        case Layout::kAny32:
            return HasMasks(f, 32, 0xFF0000, 0xFF00, 0xFF);
        case Layout::kRgb565:
            return HasMasks(f, 16, 0xF800, 0x7E0, 0x1F) && f.alpha_mask == 0;
        case Layout::kRgb555:
            return HasMasks(f, 16, 0x7C00, 0x3E0, 0x1F) && f.alpha_mask == 0;
        case Layout::kArgb1555:
            return HasMasks(f, 16, 0x7C00, 0x3E0, 0x1F) && f.alpha_mask == 0x8000;
        case Layout::kArgb8888:
            return HasMasks(f, 32, 0xFF0000, 0xFF00, 0xFF) && f.alpha_mask == 0xFF000000;
    }
    return false;
}

// Runs `convert` over every pixel; a palette source converts its 256 entries once.
template <int kIn, int kOut, typename Convert>
void RunPairs(const PixelRectJob& job, Convert convert) {
    std::uint32_t table[256];
    if constexpr (kIn == 1) {
        for (int i = 0; i < 256; ++i) {
            table[i] = convert(PaletteValue(job.source_format->palette[i]));
        }
    }
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in = SourceRow(job, row);
        std::uint8_t* out = DestinationRow(job, row);
        for (int i = 0; i < job.width; ++i) {
            std::uint32_t value;
            if constexpr (kIn == 1) {
                value = table[in[i]];
            } else {
                value = convert(LoadPixelValue(in + i * kIn, kIn));
            }
            StorePixelValue(out + i * kOut, kOut, value);
        }
    }
}

std::uint32_t Reduce555(std::uint32_t rgb) {
    return ((rgb >> 19) & 0x1F) << 10 | ((rgb >> 11) & 0x1F) << 5 | ((rgb >> 3) & 0x1F);
}

std::uint32_t Reduce565(std::uint32_t rgb) {
    return ((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F);
}

struct FixedPair {
    bool transparent_to_alpha;
    Layout source;
    Layout destination;
    void (*run)(const PixelRectJob& job);
};

constexpr FixedPair kFixedPairs[] = {
    {false, Layout::kPalette8, Layout::kRgb565,
     [](const PixelRectJob& job) {
         RunPairs<1, 2>(job, [](std::uint32_t e) {
             return ((e >> 8) & 0xF800) | ((e >> 5) & 0x7E0) | ((e >> 3) & 0x1F);
         });
     }},
    {false, Layout::kPalette8, Layout::kRgb555,
     [](const PixelRectJob& job) {
         RunPairs<1, 2>(job, [](std::uint32_t e) {
             return ((e >> 9) & 0x7C00) | ((e >> 6) & 0x3E0) | ((e >> 3) & 0x1F) | 0x8000;
         });
     }},
    {false, Layout::kPalette8, Layout::kXrgb32,
     [](const PixelRectJob& job) {
         RunPairs<1, 4>(job, [](std::uint32_t e) { return e | 0xFF000000; });
     }},
    {false, Layout::kRgb24, Layout::kRgb565,
     [](const PixelRectJob& job) { RunPairs<3, 2>(job, Reduce565); }},
    {false, Layout::kRgb24, Layout::kRgb555,
     [](const PixelRectJob& job) {
         RunPairs<3, 2>(job, [](std::uint32_t v) { return Reduce555(v) | 0x8000; });
     }},
    {false, Layout::kRgb24, Layout::kAny32,
     [](const PixelRectJob& job) {
         RunPairs<3, 4>(job, [](std::uint32_t v) { return v | 0xFF000000; });
     }},
    {false, Layout::kXrgb32, Layout::kRgb565,
     [](const PixelRectJob& job) {
         RunPairs<4, 2>(job, [](std::uint32_t v) {
             return ((v & 0xF8) >> 3) | ((v & 0xFC00) >> 5) | ((v >> 8) & 0xF800);
         });
     }},
    {false, Layout::kRgb565, Layout::kRgb24,
     [](const PixelRectJob& job) {
         RunPairs<2, 3>(job, [](std::uint32_t v) {
             return (v & 0x1F) << 3 | ((v & 0x7E0) >> 3) << 8 | ((v >> 8) & 0xF8) << 16;
         });
     }},
    {false, Layout::kRgb565, Layout::kXrgb32,
     [](const PixelRectJob& job) {
         RunPairs<2, 4>(job, [](std::uint32_t v) {
             return (v & 0x1F) << 3 | (v & 0x7E0) << 5 | (v & 0xF800) << 8;
         });
     }},
    {false, Layout::kRgb565, Layout::kRgb555,
     [](const PixelRectJob& job) {
         RunPairs<2, 2>(job, [](std::uint32_t v) { return ((v & 0xFFC0) >> 1) | (v & 0x1F); });
     }},
    {false, Layout::kRgb555, Layout::kRgb565,
     [](const PixelRectJob& job) {
         RunPairs<2, 2>(job, [](std::uint32_t v) { return ((v & 0x7FE0) << 1) | (v & 0x3F); });
     }},
    {true, Layout::kPalette8, Layout::kArgb1555,
     [](const PixelRectJob& job) {
         const std::uint32_t key = job.transparent_colour;
         RunPairs<1, 2>(job, [key](std::uint32_t e) {
             const std::uint32_t marked = e != key ? e | 0x1000000 : e;
             return ((marked >> 9) & 0xFC00) | ((marked >> 6) & 0x3E0) | ((marked >> 3) & 0x1F);
         });
     }},
    {true, Layout::kPalette8, Layout::kArgb8888,
     [](const PixelRectJob& job) {
         const std::uint32_t key = job.transparent_colour;
         RunPairs<1, 4>(job, [key](std::uint32_t e) { return e != key ? e | 0xFF000000 : e; });
     }},
    {true, Layout::kRgb24, Layout::kArgb1555,
     [](const PixelRectJob& job) {
         const std::uint32_t key = Reduce555(job.transparent_colour);
         RunPairs<3, 2>(job, [key](std::uint32_t v) {
             const std::uint32_t w = Reduce555(v);
             return w != key ? w | 0x8000 : w;
         });
     }},
    {true, Layout::kRgb24, Layout::kArgb8888,
     [](const PixelRectJob& job) {
         const std::uint32_t key = job.transparent_colour;
         RunPairs<3, 4>(job, [key](std::uint32_t v) { return v != key ? v | 0xFF000000 : v; });
     }},
    {true, Layout::kRgb565, Layout::kArgb1555,
     [](const PixelRectJob& job) {
         const std::uint32_t key = Reduce555(job.transparent_colour);
         RunPairs<2, 2>(job, [key](std::uint32_t v) {
             const std::uint32_t w = ((v & 0xFFC0) >> 1) | (v & 0x1F);
             return w != key ? w | 0x8000 : w;
         });
     }},
};

}  // namespace

bool RunFixedPair(const PixelRectJob& job) {
    if (job.dither != 0 || job.no_colour || job.alpha_from_red || job.mirror ||
        job.alpha != nullptr) {
        return false;
    }
    for (const FixedPair& pair : kFixedPairs) {
        if (pair.transparent_to_alpha == job.transparent_to_alpha &&
            IsLayout(*job.source_format, pair.source) &&
            IsLayout(*job.destination_format, pair.destination)) {
            pair.run(job);
            return true;
        }
    }
    return false;
}

}  // namespace layer
