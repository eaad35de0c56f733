#include <gtest/gtest.h>

#include <string>

#include "layer/softrender/quad_draw.h"
#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using layer::MemImgPoint;
using polytest::GuardedImage;

constexpr std::uint32_t kUnvisited = 0xFFFFFFFF;

struct Size {
    int width;
    int height;
};

class QuadOwnSize : public testing::TestWithParam<Size> {};

TEST_P(QuadOwnSize, CoversExactlyTheSourceSize) {
    const auto [w, h] = GetParam();
    GuardedImage source(w, h, 1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            source.Set(x, y, static_cast<std::uint32_t>(y * w + x));
        }
    }
    GuardedImage dest(24, 24, 1);
    dest.Fill(kUnvisited);
    const MemImgPoint points[4] = {{2, 3}, {2 + w, 3}, {2, 3 + h}, {2 + w, 3 + h}};
    layer::RenderMemImgQuad(dest.image(), source.image(), points, 0, nullptr,
                            polytest::State(0, 0));
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool inside = x >= 2 && x < 2 + w && y >= 3 && y < 3 + h;
            const std::uint32_t texel = static_cast<std::uint32_t>((y - 3) * w + (x - 2));
            EXPECT_EQ(dest.Get(x, y), inside ? texel : kUnvisited) << x << "," << y;
        }
    }
    EXPECT_TRUE(dest.GuardIntact());
}

INSTANTIATE_TEST_SUITE_P(Sizes, QuadOwnSize,
                         testing::Values(Size{1, 1}, Size{3, 2}, Size{7, 5}, Size{16, 16}),
                         [](const auto& info) {
                             return "Width" + std::to_string(info.param.width) + "Height" +
                                    std::to_string(info.param.height);
                         });

// Under the additive blend with a term of 1 in blue, each pixel counts its visits.
std::vector<std::uint32_t> CountVisits(const MemImgPoint* points, int only_triangle) {
    GuardedImage source(5, 4, 1);
    source.Fill(1);
    GuardedImage dest(24, 24, 1);
    const layer::SoftDrawState state = polytest::State(2, 255);
    if (only_triangle < 0) {
        layer::RenderMemImgQuad(dest.image(), source.image(), points, 0, nullptr, state);
    } else {
        const layer::MemImgVertex vertices[4] = {{points[0].x, points[0].y, 0, 0},
                                                 {points[1].x, points[1].y, 5, 0},
                                                 {points[2].x, points[2].y, 0, 4},
                                                 {points[3].x, points[3].y, 5, 4}};
        layer::RenderMemImgTriangle(dest.image(), source.image(), &vertices[only_triangle], 0,
                                    nullptr, 0, state);
    }
    EXPECT_TRUE(dest.GuardIntact());
    return dest.Pixels();
}

struct QuadShape {
    const char* name;
    MemImgPoint points[4];
};

class QuadTriangles : public testing::TestWithParam<QuadShape> {};

TEST_P(QuadTriangles, AreTheTwoTrianglesDrawnInTurn) {
    const MemImgPoint* points = GetParam().points;
    const std::vector<std::uint32_t> quad = CountVisits(points, -1);
    const std::vector<std::uint32_t> first = CountVisits(points, 0);
    const std::vector<std::uint32_t> second = CountVisits(points, 1);
    int twice = 0;
    for (std::size_t i = 0; i < quad.size(); ++i) {
        EXPECT_EQ(quad[i], first[i] + second[i]) << i;
        twice += quad[i] == 2;
    }
    EXPECT_GT(twice, 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, QuadTriangles,
                         testing::Values(QuadShape{"Skewed", {{1, 0}, {19, 3}, {2, 17}, {21, 22}}},
                                         QuadShape{"BowTie", {{0, 0}, {20, 20}, {20, 0}, {0, 20}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuadTest, FourEqualPointsDrawNothing) {
    const MemImgPoint points[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
    EXPECT_EQ(CountVisits(points, -1), std::vector<std::uint32_t>(576, 0));
}

TEST(QuadTest, QuadsJustOutsideTheAreaDrawNothing) {
    // The early box reaches 2 pixels left and above and 4 right and below; past it, and
    // inside it alike, such quads leave every pixel alone.
    const MemImgPoint quads[][4] = {
        {{-5, 4}, {-3, 4}, {-5, 8}, {-3, 8}}, {{-6, 4}, {-4, 4}, {-6, 8}, {-4, 8}},
        {{4, -5}, {8, -5}, {4, -3}, {8, -3}}, {{24, 4}, {27, 4}, {24, 8}, {27, 8}},
        {{4, 24}, {8, 24}, {4, 26}, {8, 26}}, {{30, 30}, {40, 30}, {30, 40}, {40, 40}},
    };
    for (const auto& points : quads) {
        EXPECT_EQ(CountVisits(points, -1), std::vector<std::uint32_t>(576, 0));
    }
}

}  // namespace
