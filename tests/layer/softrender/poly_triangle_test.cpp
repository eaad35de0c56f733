#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <utility>

#include "layer/softrender/triangle_raster.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using layer::MemImgVertex;
using polytest::GuardedImage;

constexpr std::uint32_t kUnvisited = 0xFFFFFFFF;

// A 32-bit source whose texels hold their own index.
void FillWithIndices(GuardedImage& source) {
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            source.Set(x, y, static_cast<std::uint32_t>(y * source.width() + x));
        }
    }
}

std::set<std::pair<int, int>> Covered(const GuardedImage& image) {
    std::set<std::pair<int, int>> covered;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.Get(x, y) != kUnvisited) {
                covered.insert({x, y});
            }
        }
    }
    return covered;
}

TEST(TriangleTest, FlatRightTriangleCoversTopRowAndBothSpanEnds) {
    GuardedImage dest(8, 8, 1);
    dest.Fill(kUnvisited);
    const MemImgVertex vertices[3] = {{0, 0, 0, 0}, {4, 0, 0, 0}, {0, 4, 0, 0}};
    layer::RenderMemImgTriangle(dest.image(), nullptr, vertices, 0, nullptr, 1,
                                polytest::State(0, 0));
    std::set<std::pair<int, int>> expected;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x <= 4 - y; ++x) {
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(Covered(dest), expected);
    EXPECT_TRUE(dest.GuardIntact());
}

TEST(TriangleTest, TopVertexAboveRowZeroStartsTowardZero) {
    // y = -5 starts at row -4, so the triangle reaches its bottom vertex's own row 5.
    GuardedImage dest(12, 12, 1);
    dest.Fill(kUnvisited);
    const MemImgVertex vertices[3] = {{0, -5, 0, 0}, {6, 5, 0, 0}, {0, 5, 0, 0}};
    layer::RenderMemImgTriangle(dest.image(), nullptr, vertices, 0, nullptr, 1,
                                polytest::State(0, 0));
    const auto covered = Covered(dest);
    EXPECT_TRUE(covered.count({0, 5}));
    EXPECT_FALSE(covered.count({0, 6}));
}

struct CrossingCase {
    const char* name;
    std::array<MemImgVertex, 3> vertices;
};

class TriangleCrossingRowZero : public testing::TestWithParam<CrossingCase> {};

// Rows start toward zero above row 0; the left side's second piece must take over on the next
// row, not draw the middle vertex's row again.
TEST_P(TriangleCrossingRowZero, TranslucentFillBlendsEachCoveredPixelOnce) {
    const auto& vertices = GetParam().vertices;
    GuardedImage plain(16, 16, 1);
    plain.Fill(kUnvisited);
    layer::RenderMemImgTriangle(plain.image(), nullptr, vertices.data(), 0, nullptr, 1,
                                polytest::State(0, 0));
    const auto covered = Covered(plain);
    int bottom = 0;
    for (const MemImgVertex& v : vertices) {
        bottom = std::max(bottom, v.y);
    }
    for (int y = 0; y < 16; ++y) {
        const bool row_drawn = std::any_of(covered.begin(), covered.end(),
                                           [y](const auto& p) { return p.second == y; });
        EXPECT_EQ(row_drawn, y <= bottom) << "row " << y;
    }

    constexpr std::uint32_t kDest = 0x00646464;  // grey 100
    constexpr std::uint32_t kOnce = 0x004B4B4B;  // grey 75: grey 51 over grey 100 at 128
    GuardedImage blended(16, 16, 1);
    blended.Fill(kDest);
    layer::RenderMemImgTriangle(blended.image(), nullptr, vertices.data(), 0, nullptr, 0x00333333,
                                polytest::State(1, 128));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(blended.Get(x, y), covered.count({x, y}) ? kOnce : kDest)
                << "pixel " << x << "," << y;
        }
    }
    EXPECT_TRUE(blended.GuardIntact());
}

INSTANTIATE_TEST_SUITE_P(
    Triangles, TriangleCrossingRowZero,
    testing::Values(
        CrossingCase{"MiddleOnTheLeft", {{{5, -5, 0, 0}, {0, 3, 0, 0}, {9, 8, 0, 0}}}},
        CrossingCase{"MiddleOnTheRight", {{{2, -4, 0, 0}, {12, 2, 0, 0}, {0, 9, 0, 0}}}},
        CrossingCase{"MiddleAboveRowZero", {{{6, -7, 0, 0}, {0, -2, 0, 0}, {10, 6, 0, 0}}}},
        CrossingCase{"MiddleOnRowZero", {{{4, -3, 0, 0}, {0, 0, 0, 0}, {8, 5, 0, 0}}}}),
    [](const testing::TestParamInfo<CrossingCase>& info) { return info.param.name; });

TEST(TriangleTest, DegenerateTrianglesDrawNothing) {
    const std::array<std::array<MemImgVertex, 3>, 3> cases = {{
        {{{1, 1, 0, 0}, {1, 1, 0, 0}, {5, 6, 0, 0}}},
        {{{0, 0, 0, 0}, {2, 2, 0, 0}, {5, 5, 0, 0}}},
        {{{3, 3, 0, 0}, {3, 3, 0, 0}, {3, 3, 0, 0}}},
    }};
    for (const auto& vertices : cases) {
        GuardedImage dest(8, 8, 1);
        layer::RenderMemImgTriangle(dest.image(), nullptr, vertices.data(), 0, nullptr, 1,
                                    polytest::State(0, 0));
        EXPECT_EQ(dest.Pixels(), std::vector<std::uint32_t>(64, 0));
    }
}

// Draws an index texture onto a fresh 24 x 24 destination.
std::vector<std::uint32_t> DrawIndexed(const std::array<MemImgVertex, 3>& vertices,
                                       const layer::Rect& area) {
    GuardedImage source(16, 16, 1);
    FillWithIndices(source);
    GuardedImage dest(24, 24, 1);
    dest.Fill(kUnvisited);
    layer::SoftDrawState state = polytest::State(0, 0);
    state.draw_area = area;
    layer::RenderMemImgTriangle(dest.image(), source.image(), vertices.data(), 0, nullptr, 0,
                                state);
    EXPECT_TRUE(dest.GuardIntact());
    return dest.Pixels();
}

const std::array<MemImgVertex, 3> kSlanted = {{{1, 2, 0, 0}, {21, 5, 16, 2}, {6, 22, 3, 16}}};
const layer::Rect kWholeArea{0, 0, 24, 24};

TEST(TriangleTest, ClippedSpansShowTheTexelsOfTheirOwnPixels) {
    const std::vector<std::uint32_t> whole = DrawIndexed(kSlanted, kWholeArea);
    ASSERT_GT(std::count_if(whole.begin(), whole.end(), [](auto v) { return v != kUnvisited; }),
              100);
    // A clip on the left re-evaluates u and v at the first drawn pixel; rows above the area
    // are stepped; the right and bottom edges stop the spans.
    const layer::Rect areas[] = {{5, 0, 24, 24}, {0, 7, 24, 24}, {3, 4, 15, 19}, {9, 0, 10, 24}};
    for (const layer::Rect& area : areas) {
        const std::vector<std::uint32_t> clipped = DrawIndexed(kSlanted, area);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const bool inside =
                    x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                EXPECT_EQ(clipped[y * 24 + x], inside ? whole[y * 24 + x] : kUnvisited)
                    << x << "," << y;
            }
        }
    }
}

TEST(TriangleTest, VertexOrderDoesNotMatterWithAUniqueSmallestX) {
    const std::vector<std::uint32_t> first = DrawIndexed(kSlanted, kWholeArea);
    std::array<MemImgVertex, 3> order = kSlanted;
    std::array<int, 3> index = {0, 1, 2};
    while (std::next_permutation(index.begin(), index.end())) {
        for (int i = 0; i < 3; ++i) {
            order[i] = kSlanted[index[i]];
        }
        EXPECT_EQ(DrawIndexed(order, kWholeArea), first);
    }
}

TEST(TriangleTest, TriangleOutsideTheAreaDrawsNothing) {
    const std::array<MemImgVertex, 3> below = {{{2, 30, 0, 0}, {20, 30, 16, 0}, {2, 40, 0, 16}}};
    const std::array<MemImgVertex, 3> right = {{{30, 2, 0, 0}, {40, 2, 16, 0}, {30, 20, 0, 16}}};
    EXPECT_EQ(DrawIndexed(below, kWholeArea), std::vector<std::uint32_t>(576, kUnvisited));
    EXPECT_EQ(DrawIndexed(right, kWholeArea), std::vector<std::uint32_t>(576, kUnvisited));
}

// Each refusal leaves the destination and its surroundings untouched.
struct Refusal {
    const char* name;
    int dest_type = 1;
    int dest_palette = 0;
    int dest_alpha = 0;
    int source_type = 1;
    int source_width = 4;
    int code = 0;
    int blend_type = -1;  // -1: no blend image
    int blend_width = 4;
    std::int32_t far_coordinate = 0;
};

class TriangleRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(TriangleRefusal, WritesNothing) {
    const Refusal& r = GetParam();
    GuardedImage source(r.source_width, 4, r.source_type);
    source.Fill(0x00FFFFFF);
    GuardedImage dest(8, 8, r.dest_type, r.dest_palette, r.dest_alpha);
    GuardedImage blend(r.blend_width, 4, r.blend_type < 0 ? 2 : r.blend_type);
    blend.Fill(0xFF);
    const std::vector<std::uint32_t> before = dest.Pixels();
    const MemImgVertex vertices[3] = {{0, 0, 0, 0}, {8 + r.far_coordinate, 0, 4, 0}, {0, 8, 0, 4}};
    layer::RenderMemImgTriangle(dest.image(), source.image(), vertices, 0,
                                r.blend_type < 0 ? nullptr : blend.image(), 0,
                                polytest::State(r.code, 128));
    EXPECT_EQ(dest.Pixels(), before);
    EXPECT_TRUE(dest.GuardIntact());
}

Refusal Make(const char* name, std::function<void(Refusal&)> change) {
    Refusal r;
    r.name = name;
    change(r);
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TriangleRefusal,
    testing::Values(Make("SourceOtherColourType", [](Refusal& r) { r.source_type = 0; }),
                    Make("PaletteDestination", [](Refusal& r) { r.dest_palette = 1; }),
                    Make("AlphaDestination", [](Refusal& r) { r.dest_alpha = 1; }),
                    Make("SingleChannelImages",
                         [](Refusal& r) { r.dest_type = r.source_type = 2; }),
                    Make("Code5", [](Refusal& r) { r.code = 5; }),
                    Make("Code7", [](Refusal& r) { r.code = 7; }),
                    Make("Code9", [](Refusal& r) { r.code = 9; }),
                    Make("Code12", [](Refusal& r) { r.code = 12; }),
                    Make("BlendImageNotSingleChannel", [](Refusal& r) { r.blend_type = 1; }),
                    Make("BlendImageNarrower",
                         [](Refusal& r) {
                             r.blend_type = 2;
                             r.blend_width = 3;
                         }),
                    Make("SourceTooWide", [](Refusal& r) { r.source_width = 8192; }),
                    Make("VertexPastFixedRange", [](Refusal& r) { r.far_coordinate = 8184; })),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
