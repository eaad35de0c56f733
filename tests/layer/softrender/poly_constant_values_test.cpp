// Worked values of the constant-colour rule, each checked against the slow model and the
// three renderers that use it: box, line and flat triangle.
#include <gtest/gtest.h>

#include "layer/softrender/box_fill.h"
#include "layer/softrender/line_draw.h"
#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"
#include "tests/layer/softrender/reference_poly_pixel_rules.h"

namespace {

using reference_poly::BrightStep;

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}
constexpr std::uint32_t Grey(int v) {
    return Rgb(v, v, v);
}
constexpr std::uint32_t Rgb16(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 11 | g << 5 | b);
}

struct ConstantCase {
    const char* name;
    bool bits32;
    int code;
    int p;
    std::uint32_t bright;
    std::uint32_t colour;
    std::uint32_t dest;
    // Box and line, then the flat triangle; they differ only in the bright step.
    std::uint32_t expected_box;
    std::uint32_t expected_triangle;
};

const ConstantCase kCases[] = {
    {"None_WholeWord", true, 0, 0, 0xFFFFFF, 0x12345678, 0, 0x12345678, 0x12345678},
    {"Translucent_P255_IsCopy", true, 1, 255, 0xFFFFFF, 0x12345678, 0, 0x12345678, 0x12345678},
    {"Translucent_P0_Unchanged", true, 1, 0, 0xFFFFFF, Grey(255), 0x5A010203, 0x5A010203,
     0x5A010203},
    {"Translucent_P128_Halves", true, 1, 128, 0xFFFFFF, Grey(51), 0x7E000000 | Grey(100),
     0x7E000000 | Grey(75), 0x7E000000 | Grey(75)},
    {"Translucent16_P128", false, 1, 128, 0xFFFFFF, 0, Rgb16(31, 0, 0), Rgb16(16, 0, 0),
     Rgb16(16, 0, 0)},
    {"Additive_Saturates", true, 2, 255, 0xFFFFFF, Grey(128), Grey(128), 0x01FFFFFF, 0x01FFFFFF},
    {"Additive_Green1Plus1", true, 2, 255, 0xFFFFFF, Rgb(0, 1, 0), Rgb(0, 1, 0), Rgb(0, 1, 0),
     Rgb(0, 1, 0)},
    {"Additive_P0_Unchanged", true, 2, 0, 0xFFFFFF, Grey(255), 0xFF000000, 0xFF000000, 0xFF000000},
    {"Subtractive_Black", true, 3, 1, 0xFFFFFF, 0, 0xFF808080, Rgb(129, 129, 128),
     Rgb(129, 129, 128)},
    {"Subtractive16_Black", false, 3, 1, 0xFFFFFF, 0, Rgb16(16, 33, 17), Rgb16(17, 32, 17),
     Rgb16(17, 32, 17)},
    {"Multiply_White", true, 4, 200, 0xFFFFFF, Grey(255), 0x33000000 | Rgb(200, 100, 1),
     0x33000000 | Rgb(199, 99, 0), 0x33000000 | Rgb(199, 99, 0)},
    {"Multiply_White_P0", true, 4, 0, 0xFFFFFF, Grey(255), Rgb(200, 100, 1), Rgb(199, 99, 0),
     Rgb(199, 99, 0)},
    {"Multiply16_White", false, 4, 0, 0xFFFFFF, 0xFFFF, Rgb16(31, 63, 1), Rgb16(30, 62, 0),
     Rgb16(30, 62, 0)},
    {"Inverted_P128", true, 10, 128, 0xFFFFFF, Grey(55), Grey(10), Grey(105), Grey(105)},
    {"Inverted16_P255_Exact", false, 10, 255, 0xFFFFFF, 0x1234, 0x4321, 0xEDCB, 0xEDCB},
    {"Inverted_P0_Unchanged", true, 10, 0, 0xFFFFFF, Grey(55), 0x9A102030, 0x9A102030, 0x9A102030},
    {"Faded_P128", true, 11, 128, 0xFFFFFF, Grey(128), Grey(200), Grey(150), Grey(150)},
    {"Faded16_P128", false, 11, 128, 0xFFFFFF, 0, 0xFFFF, Rgb16(16, 32, 16), Rgb16(16, 32, 16)},
    {"Bright255_BoxLowers_TriangleKeeps", true, 0, 0, 0xFFFFFE, 0xAB000000 | Grey(255), 0,
     0xAB000000 | Rgb(254, 254, 253), 0xAB000000 | Rgb(255, 255, 254)},
    {"Bright16", false, 0, 0, Grey(128), 0xFFFF, 0, Rgb16(15, 31, 15), Rgb16(15, 31, 15)},
    {"Colour16_HighBitsIgnored", false, 0, 0, 0xFFFFFF, 0xABCD1234, 0, 0x1234, 0x1234},
    {"Code5_Nothing", true, 5, 255, 0xFFFFFF, Grey(255), 7, 7, 7},
    {"Code9_Nothing", true, 9, 255, 0xFFFFFF, Grey(255), 7, 7, 7},
    {"Code12_Nothing", true, 12, 255, 0xFFFFFF, Grey(255), 7, 7, 7},
};

enum class Renderer { kBox, kLine, kTriangle };

// Draws pixel (1, 1) of a 3 x 3 destination; every other pixel must keep its value.
std::uint32_t DrawOnePixel(const ConstantCase& c, Renderer renderer) {
    polytest::GuardedImage dest(3, 3, c.bits32 ? 1 : 0);
    dest.Fill(c.dest);
    const layer::SoftDrawState state = polytest::State(c.code, c.p, c.bright);
    switch (renderer) {
        case Renderer::kBox: {
            const layer::Rect rect{1, 1, 2, 2};
            layer::RenderMemImgBox(dest.image(), &rect, c.colour, state);
            break;
        }
        case Renderer::kLine:
            layer::RenderMemImgLine(dest.image(), 1, 1, 2, 1, c.colour, state);
            break;
        case Renderer::kTriangle: {
            const layer::MemImgVertex vertices[3] = {{1, 1, 0, 0}, {1, 2, 0, 0}, {0, 2, 0, 0}};
            layer::RenderMemImgTriangle(dest.image(), nullptr, vertices, 0, nullptr, c.colour,
                                        state);
            break;
        }
    }
    EXPECT_TRUE(dest.GuardIntact());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            if (x != 1 || y != 1) {
                EXPECT_EQ(dest.Get(x, y), c.dest) << x << "," << y;
            }
        }
    }
    return dest.Get(1, 1);
}

class ConstantValues : public testing::TestWithParam<ConstantCase> {};

TEST_P(ConstantValues, Reference) {
    const ConstantCase& c = GetParam();
    reference_poly::Settings settings;
    settings.code = c.code;
    settings.p = c.p;
    settings.bright = c.bright;
    EXPECT_EQ(reference_poly::ConstantColourPixel(c.bits32, c.colour, settings,
                                                  BrightStep::kBoxAndLine, c.dest)
                  .value_or(c.dest),
              c.expected_box);
    EXPECT_EQ(reference_poly::ConstantColourPixel(c.bits32, c.colour, settings,
                                                  BrightStep::kTriangle, c.dest)
                  .value_or(c.dest),
              c.expected_triangle);
}

TEST_P(ConstantValues, Box) {
    EXPECT_EQ(DrawOnePixel(GetParam(), Renderer::kBox), GetParam().expected_box);
}

TEST_P(ConstantValues, Line) {
    EXPECT_EQ(DrawOnePixel(GetParam(), Renderer::kLine), GetParam().expected_box);
}

TEST_P(ConstantValues, FlatTriangle) {
    EXPECT_EQ(DrawOnePixel(GetParam(), Renderer::kTriangle), GetParam().expected_triangle);
}

INSTANTIATE_TEST_SUITE_P(Worked, ConstantValues, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
