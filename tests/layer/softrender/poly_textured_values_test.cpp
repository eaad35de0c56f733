// Worked values of the textured pixel rules, each checked against the slow model, the
// triangle rasteriser and the rotated blit.
#include <gtest/gtest.h>

#include <optional>

#include "layer/softrender/rotated_blit.h"
#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"
#include "tests/layer/softrender/reference_poly_pixel_rules.h"

namespace {

using reference_poly::Settings;
using reference_poly::Texel;

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}
constexpr std::uint32_t Grey(int v) {
    return Rgb(v, v, v);
}
constexpr std::uint32_t Rgb16(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 11 | g << 5 | b);
}

Texel Direct32(std::uint32_t texel) {
    return {.stored = texel};
}
Texel Alpha32(std::uint32_t texel, bool trans) {
    return {.alpha = true, .stored = texel, .trans_flag = trans};
}
Texel Keyed32(std::uint32_t texel, std::uint32_t key) {
    return {.stored = texel, .trans_colour = key, .trans_flag = true};
}
Texel Palette32(std::uint32_t index, std::uint32_t entry, std::uint32_t key, bool trans) {
    return {.palette = true,
            .stored = index,
            .palette_entry = entry,
            .trans_colour = key,
            .trans_flag = trans};
}
Texel Direct16(std::uint32_t texel) {
    return {.bits32 = false, .stored = texel};
}
Texel Alpha16(std::uint32_t colour, int a, bool trans) {
    return {.bits32 = false,
            .alpha = true,
            .stored = colour | static_cast<std::uint32_t>(a) << 16,
            .trans_flag = trans};
}

Settings Weighted(int code, int p, std::optional<int> weight, std::uint32_t bright) {
    Settings settings;
    settings.code = code;
    settings.p = p;
    settings.bright = bright;
    settings.weight = weight;
    return settings;
}
Settings Code(int code, int p) {
    return Weighted(code, p, std::nullopt, 0xFFFFFF);
}
Settings Bright(int code, int p, std::uint32_t bright) {
    return Weighted(code, p, std::nullopt, bright);
}
Settings Weighted(int code, int p, int weight) {
    return Weighted(code, p, weight, 0xFFFFFF);
}

struct TexturedCase {
    const char* name;
    Texel texel;
    Settings settings;
    std::uint32_t dest;
    std::uint32_t expected;
};

const TexturedCase kCases[] = {
    // Plain copy and the code-0 forms.
    {"None_W255_Up", Direct32(Grey(255)), Weighted(0, 0, 255), Grey(0), Grey(254)},
    {"None_W255_Down", Direct32(Grey(0)), Weighted(0, 0, 255), Grey(255), Grey(0)},
    {"None_W255_200Over10", Direct32(Grey(200)), Weighted(0, 0, 255), Grey(10), Grey(199)},
    {"None_W255_10Over200", Direct32(Grey(10)), Weighted(0, 0, 255), Grey(200), Grey(10)},
    {"None_W128_Up", Direct32(Grey(255)), Weighted(0, 0, 128), Grey(0), Grey(127)},
    {"None_W128_Down", Direct32(Grey(0)), Weighted(0, 0, 128), Grey(255), Grey(127)},
    {"None_A128_Up", Alpha32(0x80FFFFFF, false), Code(0, 0), Grey(0), Grey(127)},
    {"None_A128_Down", Alpha32(0x80000000, false), Code(0, 0), Grey(255), Grey(127)},
    {"None_A255Clear_Up", Alpha32(0xFFFFFFFF, false), Code(0, 0), Grey(0), Grey(254)},
    {"None_A255Clear_Down", Alpha32(0xFF000000, false), Code(0, 0), Grey(255), Grey(0)},
    {"None_A1_Up", Alpha32(0x01FFFFFF, false), Code(0, 0), Grey(0), Grey(0)},
    {"None_A1_Down", Alpha32(0x01000000, false), Code(0, 0), Grey(255), Grey(254)},
    {"None_A255W255_Up", Alpha32(0xFFFFFFFF, false), Weighted(0, 0, 255), Grey(0), Grey(253)},
    {"None_A255W255_Down", Alpha32(0xFF000000, false), Weighted(0, 0, 255), Grey(255), Grey(1)},
    {"None_A128W128_Up", Alpha32(0x80FFFFFF, false), Weighted(0, 0, 128), Grey(0), Grey(63)},
    {"None_A128W128_Down", Alpha32(0x80000000, false), Weighted(0, 0, 128), Grey(255), Grey(191)},
    {"None16_W128_Up", Direct16(Rgb16(31, 0, 0)), Weighted(0, 0, 128), 0, Rgb16(15, 0, 0)},
    {"None16_W128_Down", Direct16(0), Weighted(0, 0, 128), Rgb16(31, 0, 0), Rgb16(15, 0, 0)},
    {"None16_W255_Up", Direct16(Rgb16(31, 0, 0)), Weighted(0, 0, 255), 0, Rgb16(30, 0, 0)},
    {"None16_W255_Down", Direct16(0), Weighted(0, 0, 255), Rgb16(31, 0, 0), 0},
    {"None_Bright128", Direct32(Grey(255)), Bright(0, 0, Grey(128)), 0x7F000000, 0x7F808080},
    {"None16_Bright128", Direct16(Rgb16(0, 0, 31)), Bright(0, 0, Grey(128)), 0, Rgb16(0, 0, 15)},
    {"None_Bright254", Direct32(Grey(255)), Bright(0, 0, Grey(254)), 0, Grey(254)},
    {"None_BrightBlack", Direct32(Grey(200)), Bright(0, 0, 0), Grey(90), Grey(0)},
    {"None_BrightBlue254_KeepsByte3", Direct32(0x12FFFFFF), Bright(0, 0, 0xFFFFFE), 0x5A000000,
     0x5AFFFFFE},
    {"None_BrightTopByte_IsWhite", Direct32(0x12345678), Bright(0, 0, 0xFFFFFFFF), 0, 0x12345678},
    {"None_AlphaCopyWritesByte3", Alpha32(0xFFFFFFFF, true), Code(0, 0), 0, 0xFFFFFFFF},
    {"None_A255Set_CopiedExactly", Alpha32(0xFF0000FF, true), Code(0, 0), 0, 0xFF0000FF},
    {"None_A0Set_Skipped", Alpha32(0x00FFFFFF, true), Code(0, 0), 0x11223344, 0x11223344},
    {"None_A0Clear_Unchanged", Alpha32(0x00FFFFFF, false), Code(0, 0), 0x11223344, 0x11223344},
    {"None_PaletteCopyWritesByte3", Palette32(7, 0x7F102030, 0, false), Code(0, 0), 0, 0x7F102030},
    {"None_KeyByte3Differs_Drawn", Keyed32(0x01FF00FF, 0x00FF00FF), Code(0, 0), 0, 0x01FF00FF},
    {"None_KeyWhole_Skipped", Keyed32(0x01FF00FF, 0x01FF00FF), Code(0, 0), 0x55, 0x55},
    {"None_PaletteKey256_NoneTransparent", Palette32(0, 0x00102030, 256, true), Code(0, 0), 0,
     0x00102030},
    {"None_PaletteKey0_SkipsIndex0", Palette32(0, 0x00102030, 0, true), Code(0, 0), 0x99, 0x99},
    {"None_AlphaIgnoresKey",
     {.alpha = true, .stored = 0x80FFFFFF, .trans_colour = 0x80FFFFFF, .trans_flag = true},
     Code(0, 0),
     Grey(0),
     Grey(127)},
    {"None_W0_Unchanged", Direct32(Grey(255)), Weighted(0, 0, 0), 0x5A203040, 0x5A203040},
    {"None16_AlphaTexel4Bytes", Alpha16(Rgb16(31, 0, 0), 128, false), Code(0, 0), 0,
     Rgb16(15, 0, 0)},

    // Translucent.
    {"Translucent_P128_Up", Direct32(Grey(200)), Code(1, 128), Grey(10), Grey(105)},
    {"Translucent_P128_Down", Direct32(Grey(10)), Code(1, 128), Grey(200), Grey(105)},
    {"Translucent_P254_Up", Direct32(Grey(255)), Code(1, 254), Grey(0), Grey(253)},
    {"Translucent_P254_Down", Direct32(Grey(0)), Code(1, 254), Grey(255), Grey(1)},
    {"Translucent_P1_Up", Direct32(Grey(255)), Code(1, 1), Grey(0), Grey(0)},
    {"Translucent_P1_Down", Direct32(Grey(0)), Code(1, 1), Grey(255), Grey(254)},
    {"Translucent16_P128_Up", Direct16(Rgb16(31, 0, 0)), Code(1, 128), 0, Rgb16(15, 0, 0)},
    {"Translucent16_P128_Down", Direct16(0), Code(1, 128), Rgb16(31, 0, 0), Rgb16(16, 0, 0)},
    {"Translucent16_P254_Up", Direct16(Rgb16(31, 0, 0)), Code(1, 254), 0, Rgb16(30, 0, 0)},
    {"Translucent16_P254_Down", Direct16(0), Code(1, 254), Rgb16(31, 0, 0), Rgb16(1, 0, 0)},
    {"Translucent_A255Set", Alpha32(0xFFFFFFFF, true), Code(1, 254), Grey(0), Grey(253)},
    {"Translucent_A255Clear", Alpha32(0xFFFFFFFF, false), Code(1, 254), Grey(0), Grey(252)},
    {"Translucent_W255", Direct32(Grey(255)), Weighted(1, 254, 255), Grey(0), Grey(252)},
    {"Translucent_W255A255Clear", Alpha32(0xFFFFFFFF, false), Weighted(1, 254, 255), Grey(0),
     Grey(251)},
    {"Translucent_P0_Unchanged", Direct32(Grey(255)), Code(1, 0), 0x5A4D4D4D, 0x5A4D4D4D},
    {"Translucent_P255_IsCopy", Direct32(0x12345678), Code(1, 255), 0, 0x12345678},
    {"Translucent16_Bright128", Direct16(Rgb16(0, 0, 31)), Bright(1, 254, Grey(128)), 0,
     Rgb16(0, 0, 14)},
    {"Translucent_KeepsByte3", Direct32(Grey(200)), Code(1, 128), 0xC3000000, 0xC3646464},

    // Additive.
    {"Additive_ZeroTerm_ClearsByte3", Direct32(0), Code(2, 255), 0xFFFFFFFF, 0x00FFFFFF},
    {"Additive_WhiteOverWhite", Direct32(Grey(255)), Code(2, 255), Grey(255), 0x01FFFFFF},
    {"Additive16_WhiteOverWhite", Direct16(0xFFFF), Code(2, 255), 0xFFFF, 0xFFFF},
    {"Additive_128Plus1", Direct32(Grey(1)), Code(2, 255), Grey(128), Grey(129)},
    {"Additive_129Plus1", Direct32(Grey(1)), Code(2, 255), Grey(129), Rgb(129, 129, 130)},
    {"Additive_101Plus101", Direct32(Grey(101)), Code(2, 255), Grey(101), Rgb(201, 201, 202)},
    {"Additive_BlueCarry", Direct32(Rgb(0, 0, 1)), Code(2, 255), Rgb(0, 0, 255), Rgb(0, 1, 255)},
    {"Additive_GreenCarry", Direct32(Rgb(0, 2, 0)), Code(2, 255), Rgb(0, 255, 0), Rgb(1, 255, 0)},
    {"Additive_RedCarry", Direct32(Rgb(2, 0, 0)), Code(2, 255), Rgb(255, 0, 0), 0x01FF0000},
    {"Additive_Red254Plus1", Direct32(Rgb(1, 0, 0)), Code(2, 255), Rgb(254, 0, 0), 0x00FF0000},
    {"Additive16_Green62Plus2", Direct16(0x0040), Code(2, 255), 0x07C0, 0x0FC0},
    {"Additive16_Green62Plus1", Direct16(0x0020), Code(2, 255), 0x07C0, 0x07E0},
    {"Additive16_Green63Plus2", Direct16(0x0040), Code(2, 255), 0x07E0, 0x0FE0},
    {"Additive16_Green1Plus1", Direct16(0x0020), Code(2, 255), 0x0020, 0x0020},
    {"Additive16_Green3Plus3", Direct16(0x0060), Code(2, 255), 0x0060, 0x00A0},
    {"Additive16_BlueCarry", Direct16(0x0001), Code(2, 255), 0x001F, 0x003F},
    {"Additive16_P128_OverBlack", Direct16(0xFFFF), Code(2, 128), 0, 0x7BEF},
    {"Additive16_P128_OverWhite", Direct16(0xFFFF), Code(2, 128), 0xFFFF, 0xFFFF},
    {"Additive_W255", Direct32(Rgb(0, 0, 255)), Weighted(2, 255, 255), 0, Rgb(0, 0, 253)},
    {"Additive16_W255", Direct16(0xFFFF), Weighted(2, 255, 255), 0, Rgb16(30, 62, 30)},
    {"Additive_A255Clear", Alpha32(0xFF0000FF, false), Code(2, 255), 0, Rgb(0, 0, 253)},
    {"Additive_A0Set_KeepsByte3", Alpha32(0x00FFFFFF, true), Code(2, 255), 0xFF102030, 0xFF102030},
    {"Additive_P0_Unchanged", Direct32(Grey(255)), Code(2, 0), 0xFF102030, 0xFF102030},

    // Subtractive.
    {"Subtractive_ZeroTerm", Direct32(0), Code(3, 255), 0xFF000000, 0x00010100},
    {"Subtractive16_ZeroTerm", Direct16(0), Code(3, 255), 0, 0x0800},
    {"Subtractive_128Minus1", Direct32(Grey(1)), Code(3, 255), Grey(128), Rgb(129, 129, 127)},
    {"Subtractive_Green100Minus101", Direct32(Rgb(0, 101, 0)), Code(3, 255), Rgb(0, 100, 0),
     Rgb(1, 1, 0)},
    {"Subtractive_Green100Minus101_BlueBorrows", Direct32(Rgb(0, 101, 1)), Code(3, 255),
     Rgb(0, 100, 0), Rgb(1, 0, 0)},
    {"Subtractive_WhiteMinusWhite", Direct32(Grey(255)), Code(3, 255), 0x7FFFFFFF, Rgb(1, 1, 0)},
    {"Subtractive_W255", Direct32(Grey(255)), Weighted(3, 255, 255), Grey(255), Rgb(3, 3, 2)},
    {"Subtractive16_P128_WhiteOverWhite", Direct16(0xFFFF), Code(3, 128), 0xFFFF,
     Rgb16(17, 32, 16)},

    // Multiply.
    {"Multiply_WhiteTexel", Direct32(Grey(255)), Code(4, 77), Rgb(200, 100, 1), Rgb(199, 99, 0)},
    {"Multiply16_WhiteTexel", Direct16(0xFFFF), Code(4, 77), Rgb16(31, 63, 1), Rgb16(30, 62, 0)},
    {"Multiply_BlackKeepsByte3", Direct32(0), Code(4, 128), 0x7F808080, 0x7F000000},
    {"Multiply_W0", Direct32(Grey(255)), Weighted(4, 128, 0), Grey(255), Grey(0)},
    {"Multiply_W255", Direct32(Grey(255)), Weighted(4, 128, 255), Grey(255), Grey(253)},
    {"Multiply_A0Set_Blackens", Alpha32(0x00FFFFFF, true), Code(4, 128), 0x40FFFFFF, 0x40000000},
    {"Multiply_A0Clear_Blackens", Alpha32(0x00FFFFFF, false), Code(4, 128), Grey(255), 0},
    {"Multiply_A255Set", Alpha32(0xFFFFFFFF, true), Code(4, 128), Grey(255), Grey(254)},
    {"Multiply_A255Clear", Alpha32(0xFFFFFFFF, false), Code(4, 128), Grey(255), Grey(253)},
    {"Multiply_KeyWithFlagClear", Direct32(Grey(128)), Code(4, 128), Grey(255), Grey(127)},
    {"Multiply_KeyWithFlagSet", Keyed32(Grey(128), Grey(128)), Code(4, 128), Grey(255), Grey(255)},
    {"Multiply_P0", Direct32(Grey(255)), Code(4, 0), Grey(200), Grey(199)},

    // Inverted source.
    {"Inverted_P128", Direct32(Grey(200)), Code(10, 128), Grey(10), Grey(32)},
    {"Inverted_P255_BlackOverBlack", Direct32(0), Code(10, 255), 0, Grey(254)},
    {"Inverted_P255_WhiteOverWhite", Direct32(Grey(255)), Code(10, 255), Grey(255), 0},
    {"Inverted_P255_BelowDest", Direct32(Grey(200)), Code(10, 255), Grey(100), Grey(55)},
    {"Inverted16_P255_ExactNegative", Direct16(0x1234), Code(10, 255), 0x4321, 0xEDCB},
    {"Inverted16_P128_Up", Direct16(0), Code(10, 128), 0, Rgb16(15, 31, 15)},
    {"Inverted16_P128_Down", Direct16(0xFFFF), Code(10, 128), 0xFFFF, Rgb16(16, 32, 16)},
    {"Inverted_A255Set", Alpha32(0xFF000000, true), Code(10, 255), 0, Grey(254)},
    {"Inverted_A255Clear", Alpha32(0xFF000000, false), Code(10, 255), 0, Grey(253)},
    {"Inverted_W255", Direct32(0), Weighted(10, 255, 255), 0, Grey(253)},
    {"Inverted_W255A255Clear", Alpha32(0xFF000000, false), Weighted(10, 255, 255), 0, Grey(252)},
    {"Inverted_BrightDarkensNegative", Direct32(0), Bright(10, 255, Grey(128)), 0, Grey(127)},
    {"Inverted_P0_Unchanged", Direct32(0), Code(10, 0), 0x12345678, 0x12345678},

    // Faded multiply.
    {"Faded_P0_Unchanged", Direct32(0), Code(11, 0), 0xAB102030, 0xAB102030},
    {"Faded_P255_IsProduct", Direct32(Rgb(0, 255, 128)), Code(11, 255),
     0x5A000000 | Rgb(50, 100, 200), 0x5A000000 | Rgb(0, 99, 100)},
    {"Faded_WhiteTexel_P1", Direct32(Grey(255)), Code(11, 1), Rgb(0, 1, 200), Rgb(0, 0, 199)},
    {"Faded16_WhiteTexel_P254", Direct16(0xFFFF), Code(11, 254), Rgb16(31, 63, 1),
     Rgb16(31, 63, 1)},
    {"Faded16_WhiteTexel_P255", Direct16(0xFFFF), Code(11, 255), Rgb16(31, 63, 1),
     Rgb16(30, 62, 0)},
    {"Faded_Black_P128", Direct32(0), Code(11, 128), Grey(255), Grey(127)},
    {"Faded16_Black_P128", Direct16(0), Code(11, 128), 0xFFFF, Rgb16(16, 32, 16)},
    {"Faded_W255", Direct32(0), Weighted(11, 255, 255), Grey(255), Grey(1)},
    {"Faded_A255Set", Alpha32(0xFF000000, true), Code(11, 255), Grey(255), Grey(0)},
    {"Faded_A255Clear", Alpha32(0xFF000000, false), Code(11, 255), Grey(255), Grey(1)},
    {"Faded_A0Set_Unchanged", Alpha32(0x00000000, true), Code(11, 255), Grey(255), Grey(255)},
    {"Faded_A0Clear_Unchanged", Alpha32(0x00000000, false), Code(11, 255), Grey(255), Grey(255)},
    {"Faded16_GreenInSteps_White", Alpha16(Rgb16(0, 14, 0), 254, false), Code(11, 127),
     Rgb16(0, 62, 0), Rgb16(0, 38, 0)},
    {"Faded16_GreenInSteps_Bright", Alpha16(Rgb16(0, 14, 0), 254, false), Bright(11, 127, 0xFFFFFE),
     Rgb16(0, 62, 0), Rgb16(0, 37, 0)},
    {"Faded16_GreenInSteps_W255", Alpha16(Rgb16(0, 14, 0), 254, false), Weighted(11, 127, 255),
     Rgb16(0, 62, 0), Rgb16(0, 37, 0)},

    // Codes that draw nothing.
    {"Code5_Nothing", Direct32(Grey(255)), Code(5, 255), 0x12345678, 0x12345678},
    {"Code9_Nothing", Direct32(Grey(255)), Code(9, 255), 0x12345678, 0x12345678},
    {"Code12_Nothing", Direct32(Grey(255)), Code(12, 255), 0x12345678, 0x12345678},
    {"CodeMinus1_Nothing", Direct32(Grey(255)), Code(-1, 255), 0x12345678, 0x12345678},
};

enum class Renderer { kTriangle, kRotated };

// Draws the one-texel source so that its texel lands on pixel (1, 1) of a 3 x 3 destination
// and returns that pixel; every other pixel must keep its value.
std::uint32_t DrawOneTexel(const TexturedCase& c, Renderer renderer) {
    const Texel& t = c.texel;
    const int colour_type = t.bits32 ? 1 : 0;
    polytest::GuardedImage source(1, 1, colour_type, t.palette, t.alpha);
    source.Set(0, 0, t.stored);
    if (t.palette) {
        source.SetPalette(static_cast<int>(t.stored), t.palette_entry);
    }
    source.SetTransColour(t.trans_colour);
    polytest::GuardedImage dest(3, 3, colour_type);
    dest.Fill(c.dest);
    polytest::GuardedImage blend(1, 1, 2);
    blend.Set(0, 0, static_cast<std::uint32_t>(c.settings.weight.value_or(0)));
    const layer::MEMIMG* blend_image = c.settings.weight ? blend.image() : nullptr;
    polytest::UseIdentityWeights();
    const layer::SoftDrawState state =
        polytest::State(c.settings.code, c.settings.p, c.settings.bright);

    if (renderer == Renderer::kTriangle) {
        const layer::MemImgVertex vertices[3] = {{1, 1, 0, 0}, {5, 1, 4, 0}, {1, 5, 0, 4}};
        layer::RenderMemImgTriangle(dest.image(), source.image(), vertices, t.trans_flag,
                                    blend_image, 0, state);
    } else {
        layer::RenderMemImgRotated(dest.image(), source.image(), 1, 1, 0.0f, 1.0f, t.trans_flag, 0,
                                   blend_image, state);
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

class TexturedValues : public testing::TestWithParam<TexturedCase> {};

TEST_P(TexturedValues, Reference) {
    const TexturedCase& c = GetParam();
    const std::optional<std::uint32_t> result =
        reference_poly::TexturedPixel(c.texel, c.settings, c.dest);
    EXPECT_EQ(result.value_or(c.dest), c.expected);
}

TEST_P(TexturedValues, Triangle) {
    EXPECT_EQ(DrawOneTexel(GetParam(), Renderer::kTriangle), GetParam().expected);
}

TEST_P(TexturedValues, Rotated) {
    EXPECT_EQ(DrawOneTexel(GetParam(), Renderer::kRotated), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Worked, TexturedValues, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
