#include "layer/core/rect.h"

#include <gtest/gtest.h>

#include "tests/support/case_name.h"

namespace layer {

void PrintTo(const Rect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

struct ClipCase {
    const char* what;
    Rect rect;
    Rect bounds;
    Rect expected;
};

class ClipRectTest : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipRectTest, ClampsEveryEdgeIntoTheBounds) {
    Rect rect = GetParam().rect;
    EXPECT_EQ(ClipRect(&rect, GetParam().bounds), 0);
    EXPECT_EQ(rect, GetParam().expected);
}

constexpr Rect kScreen{0, 0, 640, 480};

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipRectTest,
    testing::Values(
        ClipCase{"left edge moved in", {-10, 5, 50, 300}, kScreen, {0, 5, 50, 300}},
        ClipCase{"beyond the right edge", {700, 10, 800, 20}, kScreen, {640, 10, 640, 20}},
        ClipCase{"wholly above and left", {-50, -50, -10, -10}, kScreen, {0, 0, 0, 0}},
        ClipCase{"right edge before the left", {100, 100, 50, 200}, kScreen, {100, 100, 100, 200}},
        ClipCase{"the bounds themselves", {0, 0, 640, 480}, kScreen, {0, 0, 640, 480}},
        ClipCase{"inside kept", {3, 4, 30, 40}, kScreen, {3, 4, 30, 40}},
        ClipCase{"empty bounds", {10, 10, 20, 20}, {5, 5, 5, 5}, {5, 5, 5, 5}},
        ClipCase{"bottom edge above the top", {10, 300, 20, 200}, kScreen, {10, 300, 20, 300}}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(OrderRectCornersTest, TurnsAnInvertedRectangleRound) {
    Rect rect{100, 200, 50, 100};
    EXPECT_EQ(OrderRectCorners(&rect), 0);
    EXPECT_EQ(rect, (Rect{50, 100, 100, 200}));
    OrderRectCorners(&rect);
    EXPECT_EQ(rect, (Rect{50, 100, 100, 200}));
}

TEST(MeasureRectTest, FillsOnlyTheOutputsGiven) {
    const Rect rect{50, 100, 100, 200};
    std::int32_t width = -1;
    std::int32_t height = -1;
    EXPECT_EQ(MeasureRect(rect, nullptr, nullptr), 0);
    EXPECT_EQ(MeasureRect(rect, &width, nullptr), 0);
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, -1);
    MeasureRect(rect, nullptr, &height);
    EXPECT_EQ(height, 100);
}

}  // namespace
}  // namespace layer
