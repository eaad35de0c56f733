#include "layer/graphics/draw_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/lights.h"
#include "layer/graphics/mask_screen.h"
#include "tests/layer/graphics/graphics_fixture.h"

namespace {

using layer::draw_settings;
using layer::Rect;

class DrawSettingsTest : public testing::Test {
  protected:
    void SetUp() override { test::StartSoftwareGraphics(16); }
    void TearDown() override { test::StopGraphics(); }
};

TEST_F(DrawSettingsTest, ResetSelectsTheFrontScreenWithItsWholeArea) {
    EXPECT_EQ(layer::GetDrawTarget(), layer::kDrawTargetFront);
    EXPECT_EQ(draw_settings.draw_area, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(draw_settings.bright_colour, 0xFFFFFFu);
    EXPECT_EQ(draw_settings.blend_image, -1);
    EXPECT_FLOAT_EQ(draw_settings.vertex_depth, 0.2f);
    EXPECT_EQ(draw_settings.new_graph.alpha_test, 1);
    EXPECT_EQ(draw_settings.new_graph.texture_drawing, 1);
    EXPECT_EQ(draw_settings.render.texture_address_mode, 3);
    EXPECT_NE(layer::GetLightRecord(draw_settings.default_light), nullptr);
}

struct AreaCase {
    const char* name;
    Rect asked;
    Rect stored;
    int empty;

    friend void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }
};

class DrawAreas : public DrawSettingsTest, public testing::WithParamInterface<AreaCase> {};

TEST_P(DrawAreas, AreOrderedAndClamped) {
    ASSERT_EQ(layer::SelectDrawTarget(layer::kDrawTargetBack), 0);
    const AreaCase& c = GetParam();
    layer::SetDrawClipRect(c.asked.left, c.asked.top, c.asked.right, c.asked.bottom);
    EXPECT_EQ(draw_settings.draw_area, c.stored);
    EXPECT_EQ(draw_settings.area_empty, c.empty);
    EXPECT_FLOAT_EQ(draw_settings.draw_area_float.right, static_cast<float>(c.stored.right));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawAreas,
    testing::Values(AreaCase{"Reversed", {100, 50, 10, 5}, {10, 5, 100, 50}, 0},
                    AreaCase{"Oversized", {-20, -20, 700, 500}, {0, 0, 640, 480}, 0},
                    AreaCase{"ZeroWidth", {30, 10, 30, 40}, {30, 10, 30, 40}, 1},
                    AreaCase{"WhollyOutside", {700, 10, 800, 40}, {640, 10, 640, 40}, 1}),
    [](const testing::TestParamInfo<AreaCase>& info) { return info.param.name; });

TEST_F(DrawSettingsTest, BlendParametersAreClampedAndCodesKept) {
    layer::SetBlendMode(1, 300);
    EXPECT_EQ(draw_settings.blend_parameter, 255);
    layer::SetBlendMode(1, -5);
    EXPECT_EQ(draw_settings.blend_parameter, 0);
    layer::SetBlendMode(42, 7);
    EXPECT_EQ(draw_settings.blend_mode, 42);
}

TEST_F(DrawSettingsTest, DrawColourAlphaIsFullInBlendModeNone) {
    layer::SetBlendMode(0, 100);
    EXPECT_EQ(draw_settings.draw_colour >> 24, 255u);
    layer::SetBlendMode(1, 100);
    EXPECT_EQ(draw_settings.draw_colour >> 24, 100u);
}

TEST_F(DrawSettingsTest, BrightRgbIsClamped) {
    layer::SetBrightRgb(300, -1, 128);
    EXPECT_EQ(draw_settings.bright_colour, 0xFF0080u);
}

TEST_F(DrawSettingsTest, BlendImageMustBeALiveGraph) {
    EXPECT_EQ(layer::SetBlendImage(0x08000005, 1, 2), -1);
    EXPECT_EQ(draw_settings.blend_image, -1);
    const int graph = layer::NewGraph(4, 4, 1);
    EXPECT_EQ(layer::SetBlendImage(graph, 300, -2), 0);
    EXPECT_EQ(draw_settings.blend_image_parameter1, 255);
    EXPECT_EQ(draw_settings.blend_image_parameter2, 0);
}

TEST_F(DrawSettingsTest, TargetOfAnotherSizeTakesItsWholeArea) {
    const int graph = layer::NewGraph(64, 32, 1);
    layer::SetDrawClipRect(10, 10, 20, 20);
    ASSERT_EQ(layer::SelectDrawTarget(graph), 0);
    EXPECT_EQ(draw_settings.draw_area, (Rect{0, 0, 64, 32}));
    layer::SetDrawClipRect(1, 2, 3, 4);
    ASSERT_EQ(layer::SelectDrawTarget(layer::NewGraph(64, 32, 1)), 0);
    EXPECT_EQ(draw_settings.draw_area, (Rect{1, 2, 3, 4}));
}

TEST_F(DrawSettingsTest, ARefusedTargetKeepsTheOldOne) {
    EXPECT_EQ(layer::SelectDrawTarget(0x08007777), -1);
    EXPECT_EQ(layer::GetDrawTarget(), layer::kDrawTargetFront);
}

TEST_F(DrawSettingsTest, CameraSeesTheTargetAtDepthZero) {
    ASSERT_EQ(layer::SelectDrawTarget(layer::kDrawTargetBack), 0);
    layer::Matrix44 inverse{};
    layer::InvertMatrix44(&inverse, draw_settings.view.matrix);
    EXPECT_NEAR(inverse.m[12], 320.0f, 1e-3f);
    EXPECT_NEAR(inverse.m[13], 240.0f, 1e-3f);
    EXPECT_NEAR(inverse.m[14], -415.6922f, 1e-3f);
    // A left-handed projection keeps z' = z f / (f - n) - n f / (f - n).
    const double near_plane = 4.156922;
    const double far_plane = 20415.69;
    const float* p = draw_settings.projection.matrix.m;
    EXPECT_NEAR(p[10], far_plane / (far_plane - near_plane), 1e-6);
    EXPECT_NEAR(-p[14] / p[10], near_plane, 1e-3);
}

TEST_F(DrawSettingsTest, SettingsOutsideTheResetSurviveIt) {
    layer::SetVsyncWait(0);
    layer::CountPresent();
    layer::SetBlendMode(2, 9);
    layer::ResetDrawSettings();
    EXPECT_EQ(layer::GetVsyncWait(), 0);
    EXPECT_EQ(layer::GetPresentCount(), 1u);
    EXPECT_EQ(draw_settings.blend_mode, 0);
}

TEST_F(DrawSettingsTest, TransparentColourKeepsTheLowBytes) {
    layer::SetTransparentColour(0x1FF, 0x102, 3);
    EXPECT_EQ(draw_settings.transparent_colour, 0xFF0203u);
}

TEST_F(DrawSettingsTest, NewGraphsLiveInSystemMemoryWithoutDisplaySurfaces) {
    layer::SetGraphsInVideoMemory(1);
    EXPECT_EQ(layer::GetNewGraphSystemMemory(), 1);
    layer::SetNewGraphSystemMemory(0);
    EXPECT_EQ(layer::GetNewGraphSystemMemory(), 1);
}

TEST_F(DrawSettingsTest, MaskScreenStaysAbsent) {
    EXPECT_EQ(layer::IsMaskDrawingOn(), 1);
    EXPECT_EQ(layer::SetMaskDrawing(1), -1);
    EXPECT_EQ(layer::IsMaskActive(), 0);
    EXPECT_EQ(layer::DeleteAllMasks(), 0);
}

TEST(DrawSettingsBeforeStart, TargetsAreRefused) {
    EXPECT_EQ(layer::SelectDrawTarget(layer::kDrawTargetBack), -1);
}

TEST(Lights, DirectionsAreUnitVectors) {
    const int light = layer::AddDirectionalLight(3.0f, 0.0f, 4.0f);
    const layer::LightRecord* record = layer::GetLightRecord(light);
    ASSERT_NE(record, nullptr);
    EXPECT_FLOAT_EQ(record->light.direction[0], 0.6f);
    EXPECT_FLOAT_EQ(record->light.direction[2], 0.8f);
    EXPECT_EQ(record->light.type, 3);
    EXPECT_EQ(layer::AddDirectionalLight(0.0f, 0.0f, 0.0f), -1);
    EXPECT_EQ(layer::DeleteLight(light), 0);
    EXPECT_EQ(layer::DeleteLight(light), -1);
}

}  // namespace
