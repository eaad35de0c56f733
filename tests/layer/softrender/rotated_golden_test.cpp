// Pictures of rotated, scaled, turned and four-cornered draws, compared exactly.
#include <gtest/gtest.h>

#include <numbers>

#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_blit.h"
#include "tests/layer/softrender/poly_test_image.h"
#include "tests/support/golden.h"

namespace {

using polytest::GuardedImage;

constexpr int kCell = 48;

// A 16 x 12 picture whose corners and edges can be told apart once turned.
void DrawPicture(GuardedImage& source, bool bits32) {
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            int r = x * 16;
            int g = y * 21;
            int b = (x + y) % 2 ? 200 : 60;
            if (x < 3 && y < 3) {
                r = g = b = 255;
            } else if (x == source.width() - 1 || y == source.height() - 1) {
                r = 255;
                g = b = 0;
            }
            const std::uint32_t colour =
                bits32 ? 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b
                       : std::uint32_t(r >> 3) << 11 | std::uint32_t(g >> 2) << 5 | (b >> 3);
            source.Set(x, y, colour);
        }
    }
}

// Byte 3 becomes alpha; 16-bit fields are widened by repeating their top bits.
test::RgbaImage ToRgba(const GuardedImage& image, bool bits32) {
    test::RgbaImage rgba{image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.Get(x, y);
            if (bits32) {
                rgba.pixels.insert(rgba.pixels.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8),
                                                       std::uint8_t(p), std::uint8_t(p >> 24)});
            } else {
                const int r = (p >> 11) & 31;
                const int g = (p >> 5) & 63;
                const int b = p & 31;
                rgba.pixels.insert(rgba.pixels.end(),
                                   {std::uint8_t(r << 3 | r >> 2), std::uint8_t(g << 2 | g >> 4),
                                    std::uint8_t(b << 3 | b >> 2), 255});
            }
        }
    }
    return rgba;
}

class RotatedGolden : public testing::TestWithParam<bool> {};

TEST_P(RotatedGolden, AnglesScalesAndTurns) {
    const bool bits32 = GetParam();
    const float angles[] = {0.0f, std::numbers::pi_v<float> / 2, std::numbers::pi_v<float>, 0.3f};
    const float scales[] = {1.0f, 2.0f, 0.5f, -1.0f};
    GuardedImage source(16, 12, bits32 ? 1 : 0);
    DrawPicture(source, bits32);
    GuardedImage sheet(kCell * 4, kCell * 8, bits32 ? 1 : 0);
    sheet.Fill(bits32 ? 0xFF202020 : 0x2104);
    for (int turn = 0; turn < 2; ++turn) {
        for (int a = 0; a < 4; ++a) {
            for (int s = 0; s < 4; ++s) {
                layer::MEMIMG cell;
                layer::ShareMemImgRect(&cell, sheet.image(), s * kCell, (turn * 4 + a) * kCell,
                                       kCell, kCell);
                layer::RenderMemImgRotated(&cell, source.image(), kCell / 2, kCell / 2, angles[a],
                                           scales[s], 0, turn, nullptr, polytest::State(0, 0));
                layer::ReleaseMemImg(&cell);
            }
        }
    }
    EXPECT_TRUE(sheet.GuardIntact());
    EXPECT_TRUE(test::MatchesGolden(ToRgba(sheet, bits32),
                                    bits32 ? "softrender/rotated_32" : "softrender/rotated_16"));
}

INSTANTIATE_TEST_SUITE_P(Formats, RotatedGolden, testing::Bool(),
                         [](const auto& info) { return info.param ? "Bits32" : "Bits16"; });

TEST(QuadGolden, FourFreeCorners) {
    GuardedImage source(16, 12, 1);
    DrawPicture(source, true);
    GuardedImage dest(64, 48, 1);
    dest.Fill(0xFF202020);
    const layer::MemImgPoint points[4] = {{6, 4}, {58, 10}, {12, 40}, {50, 44}};
    layer::RenderMemImgQuad(dest.image(), source.image(), points, 0, nullptr,
                            polytest::State(0, 0));
    EXPECT_TRUE(test::MatchesGolden(ToRgba(dest, true), "softrender/quad_four_corners"));
}

}  // namespace
