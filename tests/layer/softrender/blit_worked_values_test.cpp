// Worked single-pixel values of the pixel rule, checked on the blits and on the reference.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_scaled.h"
#include "tests/layer/softrender/blit_test_support.h"
#include "tests/layer/softrender/reference_blit.h"

namespace layer {
namespace {

using test_support::Image;

enum class Path { Plain, Mirrored, Reference, ReferenceMirrored };

// A row of source pixels drawn over a row of destination pixels.
struct WorkedCase {
    const char* name;
    int color_type;
    int alpha_flag;
    int mode;
    int parameter;
    std::uint32_t bright;
    int transparency;
    int mmx;
    std::vector<std::uint32_t> source;
    std::vector<std::uint32_t> destination;
    std::vector<std::uint32_t> expected;
    // Plain: the plain blit (and a 1:1 unmirrored scaled draw); Mirrored: the scaled blit.
    bool scaled;
};

std::uint32_t Rgb565(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 11 | g << 5 | b);
}
std::uint32_t Bgrx(int b, int g, int r, int x) {
    return static_cast<std::uint32_t>(b | g << 8 | r << 16) | static_cast<std::uint32_t>(x) << 24;
}

std::vector<std::uint32_t> Draw(const WorkedCase& c, Path path) {
    const int width = static_cast<int>(c.source.size());
    Image source(width, 1, c.color_type, 0, c.alpha_flag);
    Image destination(width, 1, c.color_type);
    for (int x = 0; x < width; ++x) {
        // Mirrored draws read the source right to left.
        const bool mirrored = path == Path::Mirrored || path == Path::ReferenceMirrored;
        source.Set(mirrored ? width - 1 - x : x, 0, c.source[x]);
        destination.Set(x, 0, c.destination[x]);
    }
    SoftDrawState state;
    state.draw_area = Rect{0, 0, width, 1};
    state.blend_mode = c.mode;
    state.blend_parameter = c.parameter;
    state.bright_color = c.bright;
    state.mmx = c.mmx;
    const Rect mirrored{width, 0, 0, 1};
    switch (path) {
        case Path::Plain:
            RenderMemImg(destination.get(), source.get(), 0, 0, c.transparency, nullptr, state);
            break;
        case Path::Mirrored:
            RenderMemImgStretched(destination.get(), source.get(), mirrored, c.transparency,
                                  nullptr, state);
            break;
        case Path::Reference:
            reference::RenderMemImg(destination.get(), source.get(), 0, 0, c.transparency, nullptr,
                                    state);
            break;
        case Path::ReferenceMirrored:
            reference::RenderMemImgStretched(destination.get(), source.get(), mirrored,
                                             c.transparency, nullptr, state);
            break;
    }
    std::vector<std::uint32_t> out;
    for (int x = 0; x < width; ++x) {
        out.push_back(destination.Get(x, 0));
    }
    return out;
}

class BlitWorkedValueTest : public testing::TestWithParam<WorkedCase> {};

TEST_P(BlitWorkedValueTest, BlitAndReferenceGiveTheWorkedValue) {
    const WorkedCase& c = GetParam();
    if (c.scaled) {
        EXPECT_EQ(Draw(c, Path::Mirrored), c.expected) << "scaled blit";
        EXPECT_EQ(Draw(c, Path::ReferenceMirrored), c.expected) << "reference";
    } else {
        EXPECT_EQ(Draw(c, Path::Plain), c.expected) << "plain blit";
        EXPECT_EQ(Draw(c, Path::Reference), c.expected) << "reference";
    }
}

constexpr std::uint32_t kOff = 0xFFFFFF;

const WorkedCase kCases[] = {
    // 32-bit halving at 128 sets X to 0; with the bright colour on it is Mix and keeps X.
    {"Halving32",
     1,
     0,
     1,
     128,
     kOff,
     0,
     0,
     {Bgrx(3, 3, 3, 0)},
     {Bgrx(1, 1, 1, 255)},
     {Bgrx(1, 1, 1, 0)},
     false},
    {"HalvingBright32",
     1,
     0,
     1,
     128,
     0xFFFFFE,
     0,
     0,
     {Bgrx(3, 3, 3, 0)},
     {Bgrx(1, 1, 1, 255)},
     {Bgrx(1, 2, 2, 255)},
     false},
    {"MirroredOneToOneMixes",
     1,
     0,
     1,
     128,
     kOff,
     0,
     0,
     {Bgrx(3, 3, 3, 0)},
     {Bgrx(1, 1, 1, 255)},
     {Bgrx(2, 2, 2, 255)},
     true},
    {"InvertedFull",
     1,
     0,
     10,
     255,
     kOff,
     0,
     0,
     {Bgrx(0, 0, 0, 0)},
     {Bgrx(0, 0, 0, 0)},
     {Bgrx(254, 254, 254, 0)},
     false},
    {"TranslucentFullCopies",
     1,
     0,
     1,
     255,
     kOff,
     0,
     0,
     {0x12345678},
     {0xFFFFFFFF},
     {0x12345678},
     false},
    {"AdditiveFull",
     1,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(1, 1, 255, 0)},
     {Bgrx(2, 0, 254, 0)},
     false},
    {"AdditiveFullMmx",
     1,
     0,
     2,
     255,
     kOff,
     0,
     1,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(1, 1, 255, 0)},
     {Bgrx(2, 2, 255, 0)},
     false},
    {"AdditiveFullScaled",
     1,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(1, 1, 255, 0)},
     {Bgrx(2, 1, 255, 0)},
     true},
    {"AdditiveFullScaledMmx",
     1,
     0,
     2,
     255,
     kOff,
     0,
     1,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(1, 1, 255, 0)},
     {Bgrx(2, 1, 255, 0)},
     true},
    {"AdditiveBlueCarry",
     1,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Bgrx(1, 0, 0, 0)},
     {Bgrx(255, 0, 0, 0)},
     {Bgrx(255, 1, 0, 0)},
     false},
    {"AdditiveRedCarrySetsX",
     1,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Bgrx(128, 128, 128, 0)},
     {Bgrx(128, 128, 128, 0)},
     {Bgrx(255, 255, 255, 1)},
     false},
    {"SubtractiveFull",
     1,
     0,
     3,
     255,
     kOff,
     0,
     0,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(16, 16, 16, 0)},
     {Bgrx(15, 17, 17, 0)},
     false},
    {"SubtractiveFullMmx",
     1,
     0,
     3,
     255,
     kOff,
     0,
     1,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(16, 16, 16, 0)},
     {Bgrx(15, 15, 15, 0)},
     false},
    {"SubtractiveFullScaledMmx",
     1,
     0,
     3,
     255,
     kOff,
     0,
     1,
     {Bgrx(1, 1, 1, 0)},
     {Bgrx(16, 16, 16, 0)},
     {Bgrx(15, 15, 15, 0)},
     true},
    {"SubtractiveZeroDrawsNothing",
     1,
     0,
     3,
     0,
     kOff,
     0,
     0,
     {0},
     {Bgrx(16, 16, 16, 9)},
     {Bgrx(16, 16, 16, 9)},
     false},
    {"Multiply32",
     1,
     0,
     4,
     0,
     kOff,
     0,
     0,
     {Bgrx(100, 100, 100, 0)},
     {Bgrx(200, 200, 200, 0)},
     {Bgrx(78, 78, 78, 0)},
     false},
    {"MultiplyAlpha",
     1,
     1,
     4,
     0,
     kOff,
     0,
     0,
     {Bgrx(100, 100, 100, 128)},
     {Bgrx(200, 200, 200, 0)},
     {Bgrx(39, 39, 39, 0)},
     false},
    {"MultiplyAlphaZeroBlackens",
     1,
     1,
     4,
     0,
     kOff,
     1,
     0,
     {Bgrx(100, 100, 100, 0)},
     {Bgrx(200, 200, 200, 7)},
     {Bgrx(0, 0, 0, 7)},
     false},
    {"MultiplyAlphaZeroScaledSkips",
     1,
     1,
     4,
     0,
     kOff,
     1,
     0,
     {Bgrx(100, 100, 100, 0)},
     {Bgrx(200, 200, 200, 7)},
     {Bgrx(200, 200, 200, 7)},
     true},
    {"MultiplyAlphaZeroScaledFlagClear",
     1,
     1,
     4,
     0,
     kOff,
     0,
     0,
     {Bgrx(100, 100, 100, 0)},
     {Bgrx(200, 200, 200, 7)},
     {Bgrx(0, 0, 0, 7)},
     true},
    // An alpha source under BlendNone, flag clear: copied whole by the plain blit, mixed by
    // its alpha in the scaled one.
    {"AlphaCopied",
     1,
     1,
     0,
     0,
     kOff,
     0,
     0,
     {Bgrx(111, 5, 6, 0), Bgrx(111, 5, 6, 255)},
     {Bgrx(9, 9, 9, 3), Bgrx(9, 9, 9, 3)},
     {Bgrx(111, 5, 6, 0), Bgrx(111, 5, 6, 255)},
     false},
    {"AlphaMixedScaled",
     1,
     1,
     0,
     0,
     kOff,
     0,
     0,
     {Bgrx(111, 9, 9, 255), Bgrx(111, 5, 6, 0)},
     {Bgrx(9, 9, 9, 3), Bgrx(9, 9, 9, 3)},
     {Bgrx(110, 9, 9, 3), Bgrx(9, 9, 9, 3)},
     true},
    {"AlphaTested",
     1,
     1,
     0,
     0,
     kOff,
     1,
     0,
     {Bgrx(111, 5, 6, 0), Bgrx(111, 5, 6, 255), Bgrx(200, 0, 100, 128)},
     {Bgrx(9, 9, 9, 3), Bgrx(9, 9, 9, 3), Bgrx(0, 200, 100, 3)},
     {Bgrx(9, 9, 9, 3), Bgrx(111, 5, 6, 255), Bgrx(100, 100, 100, 3)},
     false},
    // 16-bit.
    {"Add16Single",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 1, 1)},
     {Rgb565(1, 1, 1)},
     {Rgb565(0, 0, 2)},
     false},
    {"Add16Restored",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 1, 1)},
     {Rgb565(1, 1, 1)},
     {Rgb565(1, 1, 2)},
     true},
    {"Add16RedCarry",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 0, 0)},
     {Rgb565(31, 0, 0)},
     {Rgb565(30, 0, 0)},
     false},
    {"Add16GreenCarry",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(0, 1, 0)},
     {Rgb565(0, 63, 0)},
     {Rgb565(0, 62, 0)},
     false},
    {"Add16Pair",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 0, 0), Rgb565(0, 0, 1)},
     {Rgb565(31, 0, 0), Rgb565(0, 0, 1)},
     {Rgb565(30, 0, 0), Rgb565(0, 0, 0)},
     false},
    {"Add16OddLastAlone",
     0,
     0,
     2,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 0, 0), Rgb565(0, 0, 1), Rgb565(0, 0, 1)},
     {Rgb565(31, 0, 0), Rgb565(0, 0, 1), Rgb565(0, 0, 1)},
     {Rgb565(30, 0, 0), Rgb565(0, 0, 0), Rgb565(0, 0, 2)},
     false},
    {"Sub16Single",
     0,
     0,
     3,
     255,
     kOff,
     0,
     0,
     {Rgb565(1, 1, 1)},
     {Rgb565(1, 2, 2)},
     {Rgb565(1, 2, 1)},
     false},
    {"Sub16Scaled",
     0,
     0,
     3,
     255,
     kOff,
     0,
     0,
     {Rgb565(20, 4, 19), Rgb565(20, 4, 19)},
     {Rgb565(9, 56, 28), Rgb565(9, 56, 28)},
     {Rgb565(0, 52, 9), Rgb565(0, 52, 9)},
     true},
    {"Translucent16Mix64",
     0,
     0,
     1,
     77,
     kOff,
     0,
     0,
     {Rgb565(31, 0, 0)},
     {Rgb565(0, 0, 0)},
     {Rgb565(9, 0, 0)},
     false},
    {"Translucent16Halving",
     0,
     0,
     1,
     128,
     kOff,
     0,
     0,
     {Rgb565(31, 0, 0)},
     {Rgb565(0, 0, 0)},
     {Rgb565(15, 0, 0)},
     false},
    {"Translucent16Bright",
     0,
     0,
     1,
     128,
     0xFFFFFE,
     0,
     0,
     {Rgb565(31, 0, 0), Rgb565(0, 0, 0)},
     {Rgb565(0, 0, 0), Rgb565(31, 0, 0)},
     {Rgb565(15, 0, 0), Rgb565(16, 0, 0)},
     false},
    {"Translucent16Scaled",
     0,
     0,
     1,
     77,
     kOff,
     0,
     0,
     {Rgb565(19, 0, 0)},
     {Rgb565(21, 0, 0)},
     {Rgb565(21, 0, 0)},
     true},
    {"Multiply16",
     0,
     0,
     4,
     0,
     kOff,
     0,
     0,
     {Rgb565(31, 63, 0)},
     {Rgb565(31, 63, 0)},
     {Rgb565(30, 62, 0)},
     false},
    {"UnknownModeDrawsNothing",
     1,
     0,
     7,
     128,
     kOff,
     0,
     0,
     {Bgrx(1, 2, 3, 4)},
     {Bgrx(9, 9, 9, 9)},
     {Bgrx(9, 9, 9, 9)},
     false},
    {"ModeTwelveDrawsNothing",
     0,
     0,
     12,
     128,
     kOff,
     0,
     0,
     {Rgb565(1, 2, 3)},
     {Rgb565(9, 9, 9)},
     {Rgb565(9, 9, 9)},
     true},
};

INSTANTIATE_TEST_SUITE_P(Worked, BlitWorkedValueTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<WorkedCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(BlitWorkedValueTest, PackedOperationsOfTheReference) {
    EXPECT_EQ(reference::PackedAdd32(Bgrx(1, 1, 255, 0), Bgrx(1, 1, 1, 0), false),
              Bgrx(2, 0, 254, 0));
    EXPECT_EQ(reference::PackedAdd32(Bgrx(1, 1, 255, 0), Bgrx(1, 1, 1, 0), true),
              Bgrx(2, 1, 255, 0));
    EXPECT_EQ(reference::PackedSub32(Bgrx(16, 16, 16, 0), Bgrx(1, 1, 1, 0)), Bgrx(15, 17, 17, 0));
    EXPECT_EQ(reference::PackedAdd16(Rgb565(1, 1, 1), Rgb565(1, 1, 1), true), Rgb565(1, 1, 2));
    EXPECT_EQ(reference::PackedSub16(Rgb565(1, 2, 2), Rgb565(1, 1, 1)), Rgb565(1, 2, 1));
    EXPECT_EQ(reference::PackedAdd16x2(Rgb565(31, 0, 0) | Rgb565(0, 0, 1) << 16,
                                       Rgb565(1, 0, 0) | Rgb565(0, 0, 1) << 16),
              Rgb565(30, 0, 0) | Rgb565(0, 0, 0) << 16);
}

}  // namespace
}  // namespace layer
