// The layer started for real on the display stand-in: the hardware attempt, the 3D failure and
// the fall-back to software drawing without display surfaces.
#include <gtest/gtest.h>

#include <string>

#include "layer/core/core_settings.h"
#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "platform/display_hooks.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "platform/presenter.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/sjis.h"

namespace {

class LayerStart : public testing::Test {
  protected:
    void SetUp() override {
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree_.root().string()));
        layer::SetLogEnabled(1);
        layer::window_state = {};
        layer::direct_draw = layer::DirectDrawContext{};
        layer::RequestWindowMode(1);
    }
    void TearDown() override {
        layer::ShutdownLayer();
        layer::direct_draw = layer::DirectDrawContext{};
        platform::ResetDisplayHooks();
        platform::SetCurrentFolder(previous_folder_);
        layer::SetLogFolder("");
    }

    std::string ReadLog() const { return tree_.read("Log.txt"); }

    test::TempTree tree_;
    test::TickingClock clock_;
    std::string previous_folder_;
};

TEST_F(LayerStart, ScreenIs640By480By16BeforeStart) {
    int width = 0;
    int height = 0;
    layer::GetScreenResolution(&width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(layer::GetScreenColourBits(), 16);
}

TEST_F(LayerStart, ThreeDFailureFallsBackToSoftwareWithoutSurfaces) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const std::string log = ReadLog();
    const std::size_t d3d_start = log.find(test::Sjis(u8"Direct3D 関連の初期化を行います\r\n"));
    const std::size_t fetch =
        log.find(test::Sjis(u8"Ｄｉｒｅｃｔ３Ｄオブジェクトを取得します\r\n"));
    const std::size_t d3d_failed =
        log.find(test::Sjis(u8"Direct3Dオブジェクトの作成に失敗しました\r\n"));
    const std::size_t switched =
        log.find(test::Sjis(u8"ソフトウエアレンダリングモードに変更します\r\n"));
    ASSERT_NE(d3d_start, std::string::npos);
    ASSERT_NE(switched, std::string::npos);
    EXPECT_LT(d3d_start, fetch);
    EXPECT_LT(fetch, d3d_failed);
    EXPECT_LT(d3d_failed, switched);
    EXPECT_EQ(layer::IsDirectDrawMode(), 0);
    EXPECT_EQ(layer::IsSoftwareDrawMode(), 1);
    EXPECT_NE(layer::GetDirectDrawObject(), nullptr);
    EXPECT_EQ(layer::direct_draw.clipper, nullptr);
    EXPECT_EQ(layer::direct_draw.primary, nullptr);
    EXPECT_EQ(layer::direct_draw.software_screens, 1);
    EXPECT_EQ(layer::GetDisplayRefreshRate(), 60);
    EXPECT_EQ(layer::direct_draw.vertical_blank_sleep_threshold, -1);
}

TEST_F(LayerStart, SoftwareRequestAppliesTheModeOnceMore) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const int graph = layer::CreateBlankGraph(8, 8, 0);
    ASSERT_GE(graph, 0);
    EXPECT_EQ(layer::SelectSoftwareRendering(0), 0);
    EXPECT_EQ(layer::IsGraphHandleLive(graph), 0);
    EXPECT_EQ(layer::IsSoftwareDrawMode(), 1);
    EXPECT_EQ(layer::direct_draw.software_screens, 1);
    EXPECT_EQ(layer::SelectSoftwareRendering(1), 0);
    EXPECT_EQ(layer::IsSoftwareDrawMode(), 1);
}

TEST_F(LayerStart, FramesReachTheWindow) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    layer::ChangeDrawTarget(layer::kDrawTargetBack);
    layer::PaintRectangle(10, 20, 30, 40, layer::MakeScreenColor(255, 0, 0), 1);
    ASSERT_EQ(layer::ShowFrame(), 0);
    std::uint32_t pixels[2] = {};
    ASSERT_EQ(platform::ReadRetainedFrame({9, 20, 11, 21}, pixels, 8), 0);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0xFF0000u);
}

TEST_F(LayerStart, FailureWithSoftwareDrawingAlreadyOnIsFatal) {
    // A fresh process, so that the fixture's ticking clock runs there too.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            layer::direct_draw.flags.software_drawing = 1;
            layer::direct_draw.object = &layer::direct_draw.object_storage;
            layer::InitializeLayer();
        },
        testing::ExitedWithCode(255), "");
}

}  // namespace
