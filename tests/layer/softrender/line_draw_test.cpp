#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "layer/softrender/line_draw.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using layer::Rect;
using polytest::GuardedImage;
using Pixels = std::set<std::pair<int, int>>;

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
    Rect area;
    Pixels drawn;
};

Pixels Diagonal() {
    Pixels pixels;
    for (int x = 0; x < 10; ++x) {
        pixels.insert({x, x >> 1});
    }
    return pixels;
}

Pixels WholeRow(int y) {
    Pixels pixels;
    for (int x = 0; x < 20; ++x) {
        pixels.insert({x, y});
    }
    return pixels;
}

const Rect kArea{0, 0, 20, 20};

const LineCase kLines[] = {
    {"Forward", 0, 0, 10, 5, kArea, Diagonal()},
    {"Reversed",
     10,
     5,
     0,
     0,
     kArea,
     {{10, 5}, {9, 5}, {8, 4}, {7, 4}, {6, 3}, {5, 3}, {4, 2}, {3, 2}, {2, 1}, {1, 1}}},
    {"SinglePoint", 4, 4, 4, 4, kArea, {}},
    {"Horizontal", 3, 7, 8, 7, kArea, {{3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}}},
    {"Vertical", 2, 9, 2, 6, kArea, {{2, 9}, {2, 8}, {2, 7}}},
    {"EntersFromTheLeft",
     -10,
     0,
     10,
     10,
     kArea,
     {{0, 5}, {1, 5}, {2, 6}, {3, 6}, {4, 7}, {5, 7}, {6, 8}, {7, 8}, {8, 9}, {9, 9}}},
    {"RunsOutOnTheRight", 15, 3, 30, 3, kArea, {{15, 3}, {16, 3}, {17, 3}, {18, 3}, {19, 3}}},
    {"BoxOverlapsLineMisses", -10, 5, 5, -10, {0, 0, 10, 10}, {{0, 0}}},
    {"BothRight", 20, 0, 25, 9, kArea, {}},
    {"BothLeft", -5, 0, -1, 9, kArea, {}},
    {"BothBelow", 0, 20, 9, 25, kArea, {}},
    {"BothAbove", 0, -5, 9, -1, kArea, {}},
    {"AreaBeyondImage", -30, 12, 60, 12, {-100, -100, 100, 100}, WholeRow(12)},
};

class LineGeometry : public testing::TestWithParam<LineCase> {};

TEST_P(LineGeometry, DrawsTheseAndNoOtherPixels) {
    const LineCase& c = GetParam();
    GuardedImage dest(20, 20, 1);
    layer::SoftDrawState state = polytest::State(0, 0);
    state.draw_area = c.area;
    layer::RenderMemImgLine(dest.image(), c.x1, c.y1, c.x2, c.y2, 1, state);
    Pixels drawn;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (dest.Get(x, y) != 0) {
                drawn.insert({x, y});
            }
        }
    }
    EXPECT_EQ(drawn, c.drawn);
    EXPECT_TRUE(dest.GuardIntact());
}

INSTANTIATE_TEST_SUITE_P(Table, LineGeometry, testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineTest, OutlineCombinesEachCornerOnce) {
    // Under the additive blend a blue term of 1 counts the visits of each pixel.
    GuardedImage dest(12, 12, 1);
    const int x1 = 2, y1 = 3, x2 = 9, y2 = 10;
    const layer::MemImgLineRecord outline[4] = {{x1, y1, x2 - 1, y1, 1, 77},
                                                {x2 - 1, y1, x2 - 1, y2 - 1, 1, 0},
                                                {x2 - 1, y2 - 1, x1, y2 - 1, 1, 255},
                                                {x1, y2 - 1, x1, y1, 1, 3}};
    layer::RenderMemImgLines(dest.image(), outline, 4, polytest::State(2, 255));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool edge = (x == x1 || x == x2 - 1) && y >= y1 && y < y2;
            const bool top_or_bottom = (y == y1 || y == y2 - 1) && x >= x1 && x < x2;
            EXPECT_EQ(dest.Get(x, y), edge || top_or_bottom ? 1u : 0u) << x << "," << y;
        }
    }
}

TEST(LineTest, EmptyListsAndUndrawableDestinationsDrawNothing) {
    GuardedImage dest(8, 8, 1);
    const layer::MemImgLineRecord line = {0, 0, 7, 7, -1, 255};
    layer::RenderMemImgLines(dest.image(), &line, 0, polytest::State(0, 0));
    layer::RenderMemImgLines(dest.image(), &line, -3, polytest::State(0, 0));
    EXPECT_EQ(dest.Pixels(), std::vector<std::uint32_t>(64, 0));
    GuardedImage palette(8, 8, 1, 1, 0);
    GuardedImage alpha(8, 8, 1, 0, 1);
    layer::RenderMemImgLines(palette.image(), &line, 1, polytest::State(0, 0));
    layer::RenderMemImgLines(alpha.image(), &line, 1, polytest::State(0, 0));
    EXPECT_EQ(palette.Pixels(), std::vector<std::uint32_t>(64, 0));
    EXPECT_EQ(alpha.Pixels(), std::vector<std::uint32_t>(64, 0));
}

}  // namespace
