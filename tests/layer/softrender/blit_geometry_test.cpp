// Where the blits draw: clipping, scaled sampling, mirroring, refusals and the run-table path.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_scaled.h"
#include "layer/softrender/memimg_runs.h"
#include "tests/layer/softrender/blit_test_support.h"
#include "tests/layer/softrender/reference_blit.h"
#include "tests/support/case_name.h"

namespace layer {
namespace {

using test_support::Image;

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

SoftDrawState CopyState(const Rect& area) {
    SoftDrawState state;
    state.draw_area = area;
    return state;
}

// A 32-bit source whose pixel (x, y) holds x + 1 + 256 * y.
void FillCoordinates(Image& source) {
    for (int y = 0; y < source.get()->Height; ++y) {
        for (int x = 0; x < source.get()->Width; ++x) {
            source.Set(x, y, static_cast<std::uint32_t>(x + 1 + 256 * y));
        }
    }
}

struct ScaledCase {
    const char* what;
    int source_width;
    int source_height;
    Rect corners;
    Rect area;
    // Source columns of the visible columns, source rows of the visible rows.
    std::vector<int> columns;
    std::vector<int> rows;
};

class ScaledSamplingTest : public testing::TestWithParam<ScaledCase> {};

TEST_P(ScaledSamplingTest, ShowsTheSourcePixelOfTheSteppingRule) {
    const ScaledCase& c = GetParam();
    Image source(c.source_width, c.source_height, 1);
    FillCoordinates(source);
    for (bool use_reference : {false, true}) {
        Image destination(20, 12, 1);
        FillMemImgRaw(destination.get(), nullptr, kUntouched);
        if (use_reference) {
            reference::RenderMemImgStretched(destination.get(), source.get(), c.corners, 0, nullptr,
                                             CopyState(c.area));
        } else {
            RenderMemImgStretched(destination.get(), source.get(), c.corners, 0, nullptr,
                                  CopyState(c.area));
        }
        Rect visible{
            std::min(c.corners.left, c.corners.right), std::min(c.corners.top, c.corners.bottom),
            std::max(c.corners.left, c.corners.right), std::max(c.corners.top, c.corners.bottom)};
        ClipRect(&visible, c.area);
        ASSERT_EQ(visible.right - visible.left, static_cast<int>(c.columns.size()));
        ASSERT_EQ(visible.bottom - visible.top, static_cast<int>(c.rows.size()));
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= visible.left && x < visible.right && y >= visible.top &&
                                    y < visible.bottom;
                const std::uint32_t expected =
                    inside ? static_cast<std::uint32_t>(c.columns[x - visible.left] + 1 +
                                                        256 * c.rows[y - visible.top])
                           : kUntouched;
                ASSERT_EQ(destination.Get(x, y), expected)
                    << (use_reference ? "reference " : "blit ") << x << "," << y;
            }
        }
    }
}

const Rect kWholeArea{0, 0, 20, 12};

INSTANTIATE_TEST_SUITE_P(
    Worked, ScaledSamplingTest,
    testing::Values(
        ScaledCase{"enlarged",
                   5,
                   3,
                   {0, 0, 13, 7},
                   kWholeArea,
                   {0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4},
                   {0, 0, 0, 1, 1, 2, 2}},
        ScaledCase{"enlarged and mirrored",
                   5,
                   3,
                   {13, 0, 0, 7},
                   kWholeArea,
                   {4, 4, 4, 3, 3, 3, 2, 2, 1, 1, 1, 0, 0},
                   {0, 0, 0, 1, 1, 2, 2}},
        ScaledCase{"enlarged and upside down",
                   5,
                   3,
                   {0, 7, 13, 0},
                   kWholeArea,
                   {0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4},
                   {2, 2, 2, 1, 1, 0, 0}},
        ScaledCase{"one row doubled in width",
                   5,
                   1,
                   {0, 0, 10, 1},
                   kWholeArea,
                   {0, 0, 1, 1, 2, 2, 3, 3, 4, 4},
                   {0}},
        ScaledCase{"halved", 10, 6, {0, 0, 5, 3}, kWholeArea, {0, 2, 4, 6, 8}, {0, 2, 4}},
        ScaledCase{"shrunk", 5, 3, {0, 0, 3, 2}, kWholeArea, {0, 1, 3}, {0, 1}},
        ScaledCase{"shrunk to one pixel", 5, 3, {0, 0, 1, 1}, kWholeArea, {0}, {0}},
        ScaledCase{"one pixel mirrored both ways", 5, 3, {1, 1, 0, 0}, kWholeArea, {4}, {2}},
        ScaledCase{"enlarged and clipped",
                   7,
                   5,
                   {0, 0, 17, 11},
                   {3, 2, 15, 9},
                   {1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5, 5},
                   {0, 1, 1, 2, 2, 3, 3}},
        ScaledCase{"enlarged, mirrored and clipped",
                   7,
                   5,
                   {17, 0, 0, 11},
                   {3, 2, 15, 9},
                   {5, 5, 4, 4, 4, 3, 3, 2, 2, 2, 1, 1},
                   {0, 1, 1, 2, 2, 3, 3}},
        ScaledCase{"same size", 3, 2, {2, 3, 5, 5}, kWholeArea, {0, 1, 2}, {0, 1}},
        ScaledCase{"same size mirrored", 3, 2, {5, 3, 2, 5}, kWholeArea, {2, 1, 0}, {0, 1}}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(BlitGeometryTest, ScaledDrawsNothingForEmptyRectanglesAndZeroSteps) {
    Image source(5, 3, 1);
    FillCoordinates(source);
    Image wide(70000, 1, 1);
    Image destination(20, 12, 1);
    FillMemImgRaw(destination.get(), nullptr, kUntouched);
    const std::vector<std::uint8_t> before = destination.Bytes();
    for (const Rect& corners : {Rect{4, 4, 4, 9}, Rect{4, 4, 9, 4}, Rect{30, 30, 40, 40}}) {
        RenderMemImgStretched(destination.get(), source.get(), corners, 0, nullptr,
                              CopyState(kWholeArea));
    }
    // One destination column for 70,000 source columns: the step is 0.
    RenderMemImgStretched(destination.get(), wide.get(), Rect{0, 0, 1, 3}, 0, nullptr,
                          CopyState(kWholeArea));
    EXPECT_EQ(destination.Bytes(), before);
}

TEST(BlitGeometryTest, PlainBlitClipsAndReadsTheBlendImageAtSourceCoordinates) {
    Image source(24, 8, 1);
    FillMemImgRaw(source.get(), nullptr, 0x00C8C8C8);
    Image blend(24, 8, 2);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 24; ++x) {
            blend.Set(x, y, (x + y) % 2 == 0 ? 255 : 0);
        }
    }
    BuildBlendGraphWeightTable(128, 255);
    Image destination(40, 40, 1);
    FillMemImgRaw(destination.get(), nullptr, 0);
    RenderMemImg(destination.get(), source.get(), -3, 1, 0, blend.get(),
                 CopyState(Rect{5, 3, 30, 40}));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            std::uint32_t expected = 0;
            if (x >= 5 && x <= 20 && y >= 3 && y <= 8) {
                const int sx = x + 3;
                const int sy = y - 1;
                expected = (sx + sy) % 2 == 0 ? 0x00C7C7C7 : 0;
            }
            ASSERT_EQ(destination.Get(x, y), expected) << x << "," << y;
        }
    }
}

TEST(BlitGeometryTest, DrawAreaIsLimitedToTheDestination) {
    Image store(12, 6, 1);
    FillMemImgRaw(store.get(), nullptr, kUntouched);
    MEMIMG view;
    ShareMemImgRect(&view, store.get(), 2, 2, 4, 2);
    Image source(10, 10, 1);
    FillMemImgRaw(source.get(), nullptr, 7);
    const SoftDrawState state = CopyState(Rect{-100, -100, 100, 100});
    RenderMemImg(&view, source.get(), -3, -3, 0, nullptr, state);
    RenderMemImgStretched(&view, source.get(), Rect{-5, -5, 30, 30}, 0, nullptr, state);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 4;
            EXPECT_EQ(store.Get(x, y), inside ? 7u : kUntouched) << x << "," << y;
        }
    }
    ReleaseMemImg(&view);
}

struct RefusalCase {
    const char* what;
    int destination_type;
    int destination_palette;
    int destination_alpha;
    int source_type;
    int blend_type;  // -1 none
    int blend_width;
};

class BlitRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(BlitRefusalTest, DrawsNothing) {
    const RefusalCase& c = GetParam();
    Image destination(6, 6, c.destination_type, c.destination_palette, c.destination_alpha);
    FillMemImgRaw(destination.get(), nullptr, 0x5A);
    const std::vector<std::uint8_t> before = destination.Bytes();
    Image source(4, 4, c.source_type);
    FillMemImgRaw(source.get(), nullptr, 0x3C3C3C3C);
    std::unique_ptr<Image> blend;
    if (c.blend_type >= 0) {
        blend = std::make_unique<Image>(c.blend_width, 4, c.blend_type);
    }
    const SoftDrawState state = CopyState(Rect{0, 0, 6, 6});
    RenderMemImg(destination.get(), source.get(), 1, 1, 0, blend ? blend->get() : nullptr, state);
    RenderMemImgStretched(destination.get(), source.get(), Rect{0, 0, 6, 5}, 0,
                          blend ? blend->get() : nullptr, state);
    RenderMemImgStretched(destination.get(), source.get(), Rect{4, 0, 0, 4}, 0,
                          blend ? blend->get() : nullptr, state);
    EXPECT_EQ(destination.Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlitRefusalTest,
    testing::Values(RefusalCase{"16-bit source on a 32-bit destination", 1, 0, 0, 0, -1, 0},
                    RefusalCase{"32-bit source on a 16-bit destination", 0, 0, 0, 1, -1, 0},
                    RefusalCase{"palette destination", 1, 1, 0, 1, -1, 0},
                    RefusalCase{"32-bit destination with alpha", 1, 0, 1, 1, -1, 0},
                    RefusalCase{"16-bit destination with alpha", 0, 0, 1, 0, -1, 0},
                    RefusalCase{"8-bit channels", 2, 0, 0, 2, -1, 0},
                    RefusalCase{"16-bit channels", 3, 0, 0, 3, -1, 0},
                    RefusalCase{"blend image not an 8-bit channel", 1, 0, 0, 1, 1, 4},
                    RefusalCase{"blend image narrower than the source", 1, 0, 0, 1, 2, 3}),
    [](const auto& info) { return test::CaseName(info.param.what); });

TEST(BlitGeometryTest, InvalidImagesDrawNothing) {
    Image destination(4, 4, 1);
    FillMemImgRaw(destination.get(), nullptr, 1);
    const std::vector<std::uint8_t> before = destination.Bytes();
    MEMIMG released;
    ASSERT_EQ(SetupMemImg(&released, 4, 4, -1, 0, 1, 0, 0, 0, nullptr), 0);
    ReleaseMemImg(&released);
    const SoftDrawState state = CopyState(Rect{0, 0, 4, 4});
    RenderMemImg(destination.get(), &released, 0, 0, 0, nullptr, state);
    RenderMemImgStretched(destination.get(), &released, Rect{0, 0, 2, 2}, 0, nullptr, state);
    Image source(4, 4, 1);
    RenderMemImg(destination.get(), source.get(), 0, 0, 0, &released, state);
    EXPECT_EQ(destination.Bytes(), before);
}

// A source with a valid run table: flag 1 walks the runs (Mix at 128, X kept), flag 2 takes
// the general path (halving, X 0), and so does a view on the body.
TEST(BlitGeometryTest, RunTablePathOnlyForFlagOneAndTheWholeBody) {
    Image source(8, 1, 1, 0, 0, 0x00000001, 1);
    for (int x = 0; x < 8; ++x) {
        source.Set(x, 0, x < 4 ? 0x00000001 : 0x00030303);
    }
    ASSERT_EQ(BuildMemImgRunTable(source.get()), 0);
    SoftDrawState state = CopyState(Rect{0, 0, 8, 1});
    state.blend_mode = BlendTranslucent;
    state.blend_parameter = 128;
    for (int flag : {1, 2}) {
        Image destination(8, 1, 1);
        FillMemImgRaw(destination.get(), nullptr, 0xFF010101);
        RenderMemImg(destination.get(), source.get(), 0, 0, flag, nullptr, state);
        EXPECT_EQ(destination.Get(0, 0), 0xFF010101u);
        EXPECT_EQ(destination.Get(7, 0), flag == 1 ? 0xFF020202u : 0x00010101u) << flag;
    }
    MEMIMG view;
    ShareMemImgRect(&view, source.get(), 4, 0, 4, 1);
    Image destination(8, 1, 1);
    FillMemImgRaw(destination.get(), nullptr, 0xFF010101);
    RenderMemImg(destination.get(), &view, 0, 0, 1, nullptr, state);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(destination.Get(x, 0), 0x00010101u) << x;
    }
    ReleaseMemImg(&view);
}

}  // namespace
}  // namespace layer
