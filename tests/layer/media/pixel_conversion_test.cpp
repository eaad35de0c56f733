#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layer/media/pixel_bytes.h"
#include "layer/media/pixel_format_presets.h"
#include "layer/media/pixel_rect_job.h"

namespace test {
namespace {

using layer::PixelFormat;

PixelFormat Masks(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                  std::uint32_t alpha) {
    PixelFormat format;
    layer::FillFormatFromMasks(&format, bits, red, green, blue, alpha);
    return format;
}

PixelFormat Palette() {
    PixelFormat format;
    layer::FillPaletteFormat(&format);
    for (int i = 0; i < 256; ++i) {
        format.palette[i] =
            layer::PaletteEntry{static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(i * 5),
                                static_cast<std::uint8_t>(255 - i), 0};
    }
    return format;
}

const PixelFormat kRgb565 = Masks(16, 0xF800, 0x7E0, 0x1F, 0);
const PixelFormat kRgb555 = Masks(16, 0x7C00, 0x3E0, 0x1F, 0);
const PixelFormat kArgb1555 = Masks(16, 0x7C00, 0x3E0, 0x1F, 0x8000);
const PixelFormat kRgb24 = Masks(24, 0xFF0000, 0xFF00, 0xFF, 0);
const PixelFormat kXrgb32 = Masks(32, 0xFF0000, 0xFF00, 0xFF, 0);
const PixelFormat kArgb32 = Masks(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);

// Pixels of one format in rows of `width`, packed without padding.
struct Pixels {
    PixelFormat format;
    int width = 0;
    std::vector<std::uint8_t> bytes;

    Pixels(const PixelFormat& f, int w, int h) : format(f), width(w) {
        bytes.assign(static_cast<std::size_t>(w) * h * f.bytes_per_pixel, 0);
    }
    int pitch() const { return width * format.bytes_per_pixel; }
    std::uint8_t* at(int x, int y) {
        return bytes.data() + y * pitch() + x * format.bytes_per_pixel;
    }
    std::uint32_t get(int x, int y) {
        return layer::LoadPixelValue(at(x, y), format.bytes_per_pixel);
    }
    void set(int x, int y, std::uint32_t v) {
        layer::StorePixelValue(at(x, y), format.bytes_per_pixel, v);
    }
};

layer::PixelRectJob Job(Pixels& out, Pixels& in) {
    layer::PixelRectJob job;
    job.destination = out.bytes.data();
    job.destination_pitch = out.pitch();
    job.destination_format = &out.format;
    job.source = in.bytes.data();
    job.source_pitch = in.pitch();
    job.source_format = &in.format;
    job.width = in.width;
    job.height = static_cast<int>(in.bytes.size()) / in.pitch();
    return job;
}

// One pixel through the conversion.
std::uint32_t ConvertOne(const PixelFormat& out_format, const PixelFormat& in_format,
                         std::uint32_t value, bool transparent_to_alpha = false,
                         std::uint32_t key = 0, int dither = 0) {
    Pixels in(in_format, 1, 1);
    Pixels out(out_format, 1, 1);
    in.set(0, 0, value);
    layer::PixelRectJob job = Job(out, in);
    job.transparent_to_alpha = transparent_to_alpha;
    job.transparent_colour = key;
    job.dither = dither;
    EXPECT_EQ(layer::ConvertPixelRectJob(job), 0);
    return out.get(0, 0);
}

struct PairCase {
    const char* name;
    bool transparent_to_alpha;
    PixelFormat in;
    PixelFormat out;
    std::uint32_t value;
    std::uint32_t key;
    std::uint32_t expected;
};

// Entry 10 of the test palette is (R 245, G 50, B 30): 0x00F5321E.
TEST(ConvertPixelRect, FixedPairs) {
    const PairCase cases[] = {
        {"palette to 565", false, Palette(), kRgb565, 10, 0, 0xF183},
        {"palette to 555", false, Palette(), kRgb555, 10, 0, 0xF8C3},
        {"palette to 888", false, Palette(), kXrgb32, 10, 0, 0xFFF5321E},
        {"24 to 565", false, kRgb24, kRgb565, 0xF5321E, 0, 0xF183},
        {"24 to 555", false, kRgb24, kRgb555, 0xF5321E, 0, 0xF8C3},
        {"24 to 32", false, kRgb24, kArgb32, 0xF5321E, 0, 0xFFF5321E},
        {"888 to 565", false, kXrgb32, kRgb565, 0x12F5321E, 0, 0xF183},
        {"565 to 24", false, kRgb565, kRgb24, 0xFFFF, 0, 0xF8FCF8},
        {"565 to 888", false, kRgb565, kXrgb32, 0xFFFF, 0, 0x00F8FCF8},
        {"565 to 555", false, kRgb565, kRgb555, 0xF183, 0, 0x78C3},
        {"555 to 565", false, kRgb555, kRgb565, 0x78C3, 0, 0xF183},
        {"palette to 1555 opaque", true, Palette(), kArgb1555, 10, 0x00FF00FF, 0xF8C3},
        {"palette to 1555 key", true, Palette(), kArgb1555, 10, 0x00F5321E, 0x78C3},
        {"palette to 8888 opaque", true, Palette(), kArgb32, 10, 0, 0xFFF5321E},
        {"palette to 8888 key", true, Palette(), kArgb32, 10, 0x00F5321E, 0x00F5321E},
        {"24 to 1555 opaque", true, kRgb24, kArgb1555, 0xF5321E, 0, 0xF8C3},
        {"24 to 1555 key", true, kRgb24, kArgb1555, 0xFE00FE, 0x00FE00FE, 0x7C1F},
        {"24 to 1555 key after reduction", true, kRgb24, kArgb1555, 0xFF00FE, 0x00FE00FE, 0x7C1F},
        {"24 to 8888 opaque", true, kRgb24, kArgb32, 0xF5321E, 0, 0xFFF5321E},
        {"24 to 8888 key", true, kRgb24, kArgb32, 0xF5321E, 0x00F5321E, 0x00F5321E},
        {"565 to 1555 opaque", true, kRgb565, kArgb1555, 0xF183, 0, 0xF8C3},
        {"565 to 1555 key", true, kRgb565, kArgb1555, 0xF183, 0x00F5321E, 0x78C3},
    };
    for (const PairCase& c : cases) {
        EXPECT_EQ(ConvertOne(c.out, c.in, c.value, c.transparent_to_alpha, c.key), c.expected)
            << c.name;
    }
}

TEST(ConvertPixelRect, DitherTakesTheExactPipelineAndSetsUnusedBits) {
    EXPECT_EQ(ConvertOne(kXrgb32, kRgb565, 0xFFFF, false, 0, 1), 0xFFFFFFFFu);
}

TEST(ConvertPixelRect, EmptyRectangleWritesNothing) {
    Pixels in(kXrgb32, 10, 10);
    Pixels out(kXrgb32, 10, 10);
    in.bytes.assign(in.bytes.size(), 0x77);
    layer::PixelRectJob job = Job(out, in);
    job.left = 5;
    job.top = 5;
    job.width = 0;
    job.height = 4;
    EXPECT_EQ(layer::ConvertPixelRectJob(job), -1);
    EXPECT_EQ(out.get(5, 5), 0u);
}

TEST(ConvertPixelRect, PaletteCopyMovesTheRectangleAndReturnsTheHighestIndex) {
    Pixels in(Palette(), 8, 6);
    Pixels out(Palette(), 16, 24);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            in.set(x, y, static_cast<std::uint32_t>(y * 8 + x));
        }
    }
    layer::PixelRectJob job = Job(out, in);
    job.x = 10;
    job.y = 20;
    job.left = 2;
    job.top = 3;
    job.width = 4;
    job.height = 2;
    EXPECT_EQ(layer::ConvertPixelRectJob(job), 4 * 8 + 5);
    EXPECT_EQ(out.get(10, 20), 3u * 8 + 2);
    EXPECT_EQ(out.get(13, 21), 4u * 8 + 5);
    EXPECT_EQ(out.get(14, 21), 0u);
}

TEST(ConvertPixelRect, MirroredCopiesReverseRowsForEveryPixelSize) {
    for (const PixelFormat& format : {Palette(), kRgb565, kRgb24, kXrgb32}) {
        Pixels in(format, 3, 1);
        Pixels out(format, 3, 1);
        for (int x = 0; x < 3; ++x) {
            in.set(x, 0, static_cast<std::uint32_t>(x + 1) * 0x010101u);
        }
        layer::PixelRectJob job = Job(out, in);
        job.mirror = true;
        layer::ConvertPixelRectJob(job);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(out.get(x, 0), in.get(2 - x, 0)) << format.bits_per_pixel;
        }
    }
}

TEST(ConvertPixelRect, ColourKeySkipsUnlessMirrored) {
    for (bool mirror : {false, true}) {
        Pixels in(kXrgb32, 2, 1);
        Pixels out(kXrgb32, 2, 1);
        in.set(0, 0, 0x00112233);
        in.set(1, 0, 0x00445566);
        out.set(0, 0, 0xAAAAAAAA);
        out.set(1, 0, 0xAAAAAAAA);
        layer::PixelRectJob job = Job(out, in);
        job.colour_key = true;
        job.transparent_colour = 0x00112233;
        job.mirror = mirror;
        layer::ConvertPixelRectJob(job);
        if (mirror) {
            EXPECT_EQ(out.get(1, 0), 0x00112233u);
            EXPECT_EQ(out.get(0, 0), 0x00445566u);
        } else {
            EXPECT_EQ(out.get(0, 0), 0xAAAAAAAAu);
            EXPECT_EQ(out.get(1, 0), 0x00445566u);
        }
    }
}

TEST(ConvertPixelRect, TransparentColourBecomesAlphaInTheSameLayout) {
    EXPECT_EQ(ConvertOne(kArgb32, kXrgb32, 0x00123456, true, 0x00123456), 0x00123456u);
    EXPECT_EQ(ConvertOne(kArgb32, kXrgb32, 0x00123457, true, 0x00123456), 0xFF123457u);
}

TEST(ConvertPixelRect, SingleChannelWritesTakeRed) {
    Pixels in(kXrgb32, 1, 1);
    in.set(0, 0, 0xFF12ABCD);
    Pixels wide(Masks(16, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF), 1, 1);
    layer::PixelRectJob job = Job(wide, in);
    job.no_colour = true;
    job.alpha_from_red = true;
    layer::ConvertPixelRectJob(job);
    EXPECT_EQ(wide.get(0, 0), 0x1212u);

    Pixels rgb(kRgb24, 2, 1);
    rgb.set(0, 0, 0x9A0000);
    rgb.set(1, 0, 0x01FFFF);
    Pixels narrow(Masks(8, 0xFF, 0xFF, 0xFF, 0xFF), 2, 1);
    job = Job(narrow, rgb);
    job.no_colour = true;
    job.alpha_from_red = true;
    layer::ConvertPixelRectJob(job);
    EXPECT_EQ(narrow.get(0, 0), 0x9Au);
    EXPECT_EQ(narrow.get(1, 0), 0x01u);
}

TEST(ConvertPixelRect, AlphaImageGivesAlphaFromItsRed) {
    Pixels in(kRgb24, 2, 1);
    in.set(0, 0, 0x102030);
    in.set(1, 0, 0x405060);
    Pixels alpha(kXrgb32, 2, 1);
    alpha.set(0, 0, 0x00800000);
    alpha.set(1, 0, 0x00FF0000);
    Pixels out(kArgb32, 2, 1);
    layer::PixelRectJob job = Job(out, in);
    job.alpha = alpha.bytes.data();
    job.alpha_pitch = alpha.pitch();
    job.alpha_format = &alpha.format;
    layer::ConvertPixelRectJob(job);
    EXPECT_EQ(out.get(0, 0), 0x80102030u);
    EXPECT_EQ(out.get(1, 0), 0xFF405060u);
}

// Red 0x0C loses its low three bits (4) on the way to 5 bits; green and blue are 0.
Pixels DitherSource() {
    Pixels in(kXrgb32, 3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            in.set(x, y, 0x000C0000);
        }
    }
    return in;
}

TEST(ConvertPixelRect, OrderedDitherAgainstTheMatrix) {
    Pixels in = DitherSource();
    Pixels out(kRgb565, 3, 2);
    layer::PixelRectJob job = Job(out, in);
    job.dither = 1;
    layer::ConvertPixelRectJob(job);
    // Thresholds of the first two matrix rows for 3 dropped bits: 0 4 1 / 6 2 7.
    const std::uint32_t expected[2][3] = {{2, 1, 2}, {1, 2, 1}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(out.get(x, y), expected[y][x] << 11) << x << "," << y;
        }
    }
}

TEST(ConvertPixelRect, CarryDitherRunsAcrossRows) {
    Pixels in = DitherSource();
    Pixels out(kRgb565, 3, 2);
    layer::PixelRectJob job = Job(out, in);
    job.dither = 2;
    layer::ConvertPixelRectJob(job);
    const std::uint32_t expected[2][3] = {{1, 2, 1}, {2, 1, 2}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(out.get(x, y), expected[y][x] << 11) << x << "," << y;
        }
    }
}

TEST(ConvertPixelRect, PaletteRemapFindsTheNearestEntries) {
    PixelFormat reversed = Palette();
    for (int i = 0; i < 256; ++i) {
        reversed.palette[i] = Palette().palette[255 - i];
    }
    Pixels in(Palette(), 2, 1);
    in.set(0, 0, 0);
    in.set(1, 0, 200);
    Pixels out(reversed, 2, 1);
    layer::PixelRectJob job = Job(out, in);
    job.palette_remap = true;
    EXPECT_EQ(layer::ConvertPixelRectJob(job), 0);
    EXPECT_EQ(out.get(0, 0), 255u);
    EXPECT_EQ(out.get(1, 0), 55u);
}

}  // namespace
}  // namespace test
