#include <gtest/gtest.h>

#include <optional>

#include "layer/softrender/box_fill.h"
#include "tests/layer/softrender/poly_test_image.h"

namespace {

using layer::Rect;
using polytest::GuardedImage;

struct BoxCase {
    const char* name;
    std::optional<Rect> rect;
    Rect area;
    // The pixels expected filled: the box clipped to the area and the image.
    Rect filled;
};

class BoxGeometry : public testing::TestWithParam<BoxCase> {};

TEST_P(BoxGeometry, FillsExactlyTheClippedBox) {
    const BoxCase& c = GetParam();
    for (const int colour_type : {0, 1}) {
        GuardedImage dest(9, 7, colour_type);
        layer::SoftDrawState state = polytest::State(0, 0);
        state.draw_area = c.area;
        const Rect* rect = c.rect ? &*c.rect : nullptr;
        layer::RenderMemImgBox(dest.image(), rect, 0xABCD1234, state);
        const std::uint32_t colour = colour_type == 1 ? 0xABCD1234 : 0x1234;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 9; ++x) {
                const bool inside = x >= c.filled.left && x < c.filled.right && y >= c.filled.top &&
                                    y < c.filled.bottom;
                EXPECT_EQ(dest.Get(x, y), inside ? colour : 0u) << x << "," << y;
            }
        }
        EXPECT_TRUE(dest.GuardIntact());
    }
}

const Rect kWhole{0, 0, 9, 7};

INSTANTIATE_TEST_SUITE_P(
    Table, BoxGeometry,
    testing::Values(BoxCase{"NullIsWholeImage", std::nullopt, kWhole, kWhole},
                    BoxCase{"NullInsideArea", std::nullopt, {2, 1, 6, 5}, {2, 1, 6, 5}},
                    BoxCase{"Ordered", Rect{1, 2, 6, 5}, kWhole, {1, 2, 6, 5}},
                    BoxCase{"Reversed", Rect{6, 5, 1, 2}, kWhole, {1, 2, 6, 5}},
                    BoxCase{"OddWidth16", Rect{0, 0, 3, 1}, kWhole, {0, 0, 3, 1}},
                    BoxCase{"EmptyWidth", Rect{3, 1, 3, 5}, kWhole, {0, 0, 0, 0}},
                    BoxCase{"EmptyHeight", Rect{1, 4, 6, 4}, kWhole, {0, 0, 0, 0}},
                    BoxCase{"OutsideArea", Rect{0, 0, 3, 3}, {4, 4, 9, 7}, {0, 0, 0, 0}},
                    BoxCase{"PartlyOutside", Rect{-3, -3, 3, 3}, {1, 1, 9, 7}, {1, 1, 3, 3}},
                    BoxCase{"AreaBeyondImage", std::nullopt, {-20, -20, 50, 50}, kWhole}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxTest, PaletteAndAlphaDestinationsAreLeftAlone) {
    for (const int code : {0, 1, 2, 3, 4, 10, 11}) {
        GuardedImage palette(5, 5, 1, 1, 0);
        GuardedImage alpha(5, 5, 1, 0, 1);
        layer::RenderMemImgBox(palette.image(), nullptr, 0xFFFFFFFF, polytest::State(code, 128));
        layer::RenderMemImgBox(alpha.image(), nullptr, 0xFFFFFFFF, polytest::State(code, 128));
        EXPECT_EQ(palette.Pixels(), std::vector<std::uint32_t>(25, 0));
        EXPECT_EQ(alpha.Pixels(), std::vector<std::uint32_t>(25, 0));
    }
}

TEST(BoxTest, OnlyBlendNoneWritesByte3) {
    for (const int code : {0, 1, 4, 10, 11}) {
        GuardedImage dest(3, 3, 1);
        dest.Fill(0x5A808080);
        layer::RenderMemImgBox(dest.image(), nullptr, 0xC3404040, polytest::State(code, 128));
        EXPECT_EQ(dest.Get(1, 1) >> 24, code == 0 ? 0xC3u : 0x5Au) << code;
    }
}

}  // namespace
