// Screen-mode requests on the software screens: refused depths and sizes, and the pause that
// lets a monitor settle between two full-screen changes.
#include <gtest/gtest.h>

#include "layer/core/time_routines.h"
#include "platform/clock.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tests/support/fake_clock_scope.h"

namespace {

class ScreenModes : public test::SoftwareScreens {
  protected:
    void SetUp() override {
        SoftwareScreens::SetUp();
        platform::CreateDisplayObject(&layer::direct_draw.object_storage.display);
        layer::direct_draw.object = &layer::direct_draw.object_storage;
        layer::direct_draw.flags.started = 1;
    }
    void TearDown() override {
        platform::ChangeDisplaySettings(nullptr);
        SoftwareScreens::TearDown();
    }
};

struct RefusedMode {
    const char* name;
    int width;
    int height;
    int bits;
};

class RefusedModes : public ScreenModes, public testing::WithParamInterface<RefusedMode> {};

TEST_P(RefusedModes, AreRefusedAfterTheGraphsAreGone) {
    const int graph = layer::NewGraph(8, 8, 0);
    ASSERT_GE(graph, 0);
    const RefusedMode& mode = GetParam();
    EXPECT_EQ(layer::RequestScreenMode(mode.width, mode.height, mode.bits, 60), -1);
    EXPECT_EQ(layer::IsGraphHandleLive(graph), 0);
    int width = 0;
    layer::GetScreenResolution(&width, nullptr);
    EXPECT_EQ(width, 640);
}

INSTANTIATE_TEST_SUITE_P(Modes, RefusedModes,
                         testing::Values(RefusedMode{"TwentyFourBits", 640, 480, 24},
                                         RefusedMode{"ZeroWidth", 0, 480, 16}),
                         [](const testing::TestParamInfo<RefusedMode>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ScreenModes, SecondFullScreenChangeWaitsForTheMonitor) {
    test::FakeClockScope clock(5'000'000'000);
    layer::window_state.window_mode = 0;
    EXPECT_EQ(layer::RequestScreenMode(800, 600, 32, 60), 0);
    const int first = layer::direct_draw.last_mode_change_time;
    EXPECT_EQ(layer::RequestScreenMode(640, 480, 32, 60), 0);
    EXPECT_GE(layer::direct_draw.last_mode_change_time - first, 2060);
}

TEST_F(ScreenModes, WindowModeChangeWaitsOnlyBriefly) {
    test::FakeClockScope clock(5'000'000'000);
    const int before = layer::ReadMillisecondClock();
    EXPECT_EQ(layer::ApplyScreenMode(-1, -1, -1, 1, -1), 0);
    EXPECT_EQ(layer::ApplyScreenMode(-1, -1, -1, 1, -1), 0);
    EXPECT_LT(layer::ReadMillisecondClock() - before, 200);
}

}  // namespace
