// Draw calls on the software back screen: pictures of every call under every blend mode, a few
// pixels worked out by hand, and the edge cases of the calls.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "layer/graphics/draw_calls.h"
#include "layer/graphics/draw_settings.h"
#include "tests/layer/graphics/draw_call_scenes.h"
#include "tests/layer/graphics/software_screen_fixture.h"

namespace {

using test::SoftwareScreens;

using test::Ramp;

class SoftwareDrawCalls : public SoftwareScreens {
  protected:
    // Graphs made under mode word 1 are blend pictures.
    static int BlendGraph(int width, int height) { return test::BlendRampGraph(width, height, 0); }

    void SetUp() override {
        SoftwareScreens::SetUp();
        ramp_ = Graph(32, 24, Ramp);
        ASSERT_GE(ramp_, 0);
        test::DrawBackdrop();
    }

    int ramp_ = -1;
};

TEST_F(SoftwareDrawCalls, EveryCallUnderEveryBlendMode) {
    test::DrawEveryCallUnderEveryBlendMode(ramp_);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 560, 470),
                                    "layer/graphics/draw_calls_blend_modes"));
}

TEST_F(SoftwareDrawCalls, BrightColourBlendImageAndReversedCorners) {
    const int blend = BlendGraph(32, 24);
    ASSERT_GE(blend, 0);
    test::DrawShapes(ramp_, blend);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 380, 90),
                                    "layer/graphics/draw_calls_shapes"));
}

TEST_F(SoftwareDrawCalls, PixelsWorkedOutByHand) {
    layer::PutBox(0, 0, 100, 100, layer::RgbToPixel(0, 0, 0), 1);
    const int white = Graph(4, 4, [](int, int) { return 0xFFFFFFu; });
    layer::SetBlendMode(1, 128);
    layer::PutGraph(10, 10, white, 0);
    EXPECT_EQ(BackPixel(10, 10), 0x7F7F7Fu);
    layer::SetBlendMode(0, 0);
    layer::PutGraph(20, 20, ramp_, 0);
    EXPECT_EQ(BackPixel(20 + 9, 20 + 2), Ramp(9, 2));
    // The transparent corner keeps the backdrop.
    layer::PutGraph(60, 20, ramp_, 1);
    EXPECT_EQ(BackPixel(61, 21), 0u);
    EXPECT_EQ(BackPixel(68, 21), Ramp(8, 1));
    // Mirrored: source column 0 lands in the rightmost column.
    layer::PutGraphMirrored(20, 50, ramp_, 0);
    EXPECT_EQ(BackPixel(20 + 31, 50 + 9), Ramp(0, 9));
}

// Whole, the draw walks the graph's run table; in part, its rows of runs.
TEST_F(SoftwareDrawCalls, MultiplyingDrawsFullyTransparentTexelsToo) {
    const int graph = test::HalfTransparentBlackGraph(16, 8, 0);
    ASSERT_GE(graph, 0);
    test::DrawMultipliedHalfTransparentBlack(graph);
    EXPECT_TRUE(test::MatchesGolden(Picture(layer::direct_draw.back_image, 16, 12),
                                    "layer/graphics/multiplied_half_transparent_black"));
}

TEST_F(SoftwareDrawCalls, OutlineCoversItsEdgesOnce) {
    layer::PutBox(0, 0, 40, 40, layer::RgbToPixel(0, 0, 0), 1);
    layer::SetBlendMode(2, 100);
    layer::PutBox(10, 10, 20, 20, layer::RgbToPixel(100, 100, 100), 0);
    for (int i = 10; i < 20; ++i) {
        for (const auto& [x, y] :
             {std::pair{i, 10}, std::pair{i, 19}, std::pair{10, i}, std::pair{19, i}}) {
            EXPECT_EQ(BackPixel(x, y), layer::RgbToPixel(39, 39, 39) & 0xFFFFFFu) << x << ", " << y;
        }
    }
    EXPECT_EQ(BackPixel(20, 10), 0u);
    EXPECT_EQ(BackPixel(15, 15), 0u);
}

TEST_F(SoftwareDrawCalls, ReversedBoxCornersFillTheSamePixels) {
    layer::PutBox(0, 0, 64, 64, 0, 1);
    layer::PutBox(40, 30, 10, 5, layer::RgbToPixel(255, 0, 0), 1);
    const test::RgbaImage reversed = Picture(layer::direct_draw.back_image, 64, 64);
    layer::PutBox(0, 0, 64, 64, 0, 1);
    layer::PutBox(10, 5, 40, 30, layer::RgbToPixel(255, 0, 0), 1);
    EXPECT_EQ(Picture(layer::direct_draw.back_image, 64, 64).pixels, reversed.pixels);
}

TEST_F(SoftwareDrawCalls, EmptyAreaDrawsNothingWhateverTheHandle) {
    layer::SetDrawClipRect(5, 5, 5, 50);
    EXPECT_EQ(layer::PutGraph(0, 0, 12345, 0), 0);
    EXPECT_EQ(layer::PutGraphStretched(0, 0, 9, 9, 12345, 0), 0);
    EXPECT_EQ(layer::PutBox(0, 0, 9, 9, 0, 1), 0);
    layer::SetDrawClipRect(0, 0, 640, 480);
    EXPECT_EQ(layer::PutGraph(0, 0, 12345, 0), -1);
    EXPECT_EQ(layer::PutGraphRotated(0, 0, 1.0, 0.0, 12345, 0, 0), -1);
}

TEST_F(SoftwareDrawCalls, PartWithBadHandleKeepsTheArea) {
    layer::SetDrawClipRect(3, 4, 300, 200);
    EXPECT_EQ(layer::PutGraphPart(10, 10, 2, 2, 8, 8, 12345, 0, 1), -1);
    EXPECT_EQ(layer::PutGraphPart(10, 10, 2, 2, 8, 8, 12345, 0, 0), -1);
    const layer::Rect area = layer::draw_settings.draw_area;
    EXPECT_EQ(area.left, 3);
    EXPECT_EQ(area.top, 4);
    EXPECT_EQ(area.right, 300);
    EXPECT_EQ(area.bottom, 200);
}

TEST_F(SoftwareDrawCalls, PartDrawsOnlyThePart) {
    layer::PutBox(0, 0, 100, 100, 0, 1);
    layer::PutGraphPart(40, 40, 10, 6, 5, 4, ramp_, 0, 0);
    EXPECT_EQ(BackPixel(40, 40), Ramp(10, 6));
    EXPECT_EQ(BackPixel(44, 43), Ramp(14, 9));
    EXPECT_EQ(BackPixel(45, 43), 0u);
    EXPECT_EQ(BackPixel(39, 40), 0u);
    layer::PutGraphPart(60, 40, 10, 6, 5, 4, ramp_, 0, 1);
    EXPECT_EQ(BackPixel(64, 40), Ramp(10, 6));
    EXPECT_EQ(BackPixel(60, 40), Ramp(14, 6));
}

TEST_F(SoftwareDrawCalls, SmallBlendImageRefusesTheDraw) {
    const int blend = BlendGraph(8, 8);
    layer::SetBlendImage(blend, 128, 64);
    EXPECT_EQ(layer::PutGraph(0, 0, ramp_, 0), -1);
    layer::SetBlendImage(-1, 0, 0);
}

TEST_F(SoftwareDrawCalls, DoubleDeleteIsHarmless) {
    const int surface = layer::GetGraphRecord(ramp_)->Tiles[0];
    int notice = 0;
    layer::SetSurface2DDeleteNotice(surface, &notice);
    EXPECT_EQ(layer::DeleteSurface2D(surface), 0);
    EXPECT_EQ(notice, 1);
    EXPECT_EQ(layer::DeleteSurface2D(surface), 0);
}

TEST_F(SoftwareDrawCalls, EraseFillsTheTargetWithTheBackground) {
    layer::core_settings.background_red = 10;
    layer::core_settings.background_green = 20;
    layer::core_settings.background_blue = 30;
    layer::PutGraph(0, 0, ramp_, 0);
    EXPECT_EQ(layer::EraseDrawTarget(), 0);
    EXPECT_EQ(BackPixel(20, 20), 0x0A141Eu);
    EXPECT_EQ(BackPixel(639, 479), 0x0A141Eu);
    layer::core_settings.background_red = 0;
    layer::core_settings.background_green = 0;
    layer::core_settings.background_blue = 0;
}

TEST_F(SoftwareDrawCalls, CaptureMustMatchTheGraphSize) {
    const int graph = layer::NewGraph(32, 24, 1);
    layer::PutGraph(100, 50, ramp_, 0);
    EXPECT_EQ(layer::CopyScreenToGraph(100, 50, 133, 74, graph, 0), -1);
    EXPECT_EQ(layer::CopyScreenToGraph(100, 50, 132, 74, graph, 0), 0);
    layer::PutBox(0, 0, 200, 200, 0, 1);
    layer::PutGraph(0, 0, graph, 0);
    EXPECT_EQ(BackPixel(17, 9), Ramp(17, 9));
    EXPECT_EQ(BackPixel(31, 23), Ramp(31, 23));
}

// The scenes on a 16-bit software screen (goldens of their own), and through the display
// surfaces' 2D route without a 3D device on 32 and 16 bits (the software route's goldens,
// pixel for pixel).
struct ScreenCase {
    const char* name;
    int bits;
    bool display_surfaces;
};

constexpr ScreenCase kOtherScreens[] = {
    {"Software16", 16, false}, {"DisplaySurfaces32", 32, true}, {"DisplaySurfaces16", 16, true}};

using SceneOnScreen = std::tuple<test::DrawCallScene, ScreenCase>;

class DrawCallScenesOnOtherScreens : public SoftwareScreens,
                                     public testing::WithParamInterface<SceneOnScreen> {
  protected:
    void SetUp() override {
        const ScreenCase& screen = std::get<1>(GetParam());
        if (screen.display_surfaces) {
            test::StartDisplayScreens(screen.bits == 16 ? platform::ForcedDisplayFormat::kR5G6B5
                                                        : platform::ForcedDisplayFormat::kNone,
                                      1);
        } else {
            bits_ = screen.bits;
            SoftwareScreens::SetUp();
        }
    }
};

// On a 16-bit screen a translucent draw with the transparency flag reads the software graph's
// run table, whose colour-and-alpha pixels round the blended channel a step above the display
// surface's plain pixels: the first draw of the translucent row.
test::RouteRule TranslucentRunsOnSixteenBits() {
    test::RouteRule rule;
    rule.left = 8;
    rule.top = 8 + 66;
    rule.right = 40;
    rule.bottom = rule.top + 24;
    rule.tolerance = 9;
    rule.edge_share = 0;
    rule.why = "translucent run-table pixels against plain ones, one step of a 5-bit channel";
    return rule;
}

TEST_P(DrawCallScenesOnOtherScreens, MatchTheirGoldens) {
    const auto& [scene, screen] = GetParam();
    ASSERT_EQ(layer::direct_draw.screen_bits, screen.bits);
    const int ramp = Graph(32, 24, Ramp);
    const int blend = test::BlendRampGraph(32, 24, 0);
    ASSERT_GE(ramp, 0);
    ASSERT_GE(blend, 0);
    test::DrawBackdrop();
    scene.draw(ramp, blend);
    const test::RgbaImage picture = test::BackScreenPicture(scene.width, scene.height);
    const std::string golden = test::SceneGolden(scene, screen.bits);
    if (!screen.display_surfaces) {
        EXPECT_TRUE(test::MatchesGolden(picture, golden));
        return;
    }
    std::vector<test::RouteRule> rules(1);
    rules[0].tolerance = 0;
    rules[0].edge_share = 0;
    if (screen.bits == 16) {
        rules.push_back(TranslucentRunsOnSixteenBits());
    }
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(picture, golden, rules));
}

INSTANTIATE_TEST_SUITE_P(Scenes, DrawCallScenesOnOtherScreens,
                         testing::Combine(testing::ValuesIn(test::kDrawCallScenes),
                                          testing::ValuesIn(kOtherScreens)),
                         [](const testing::TestParamInfo<SceneOnScreen>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
