// Screen-mode requests on the software screens: refused depths and sizes, and the pause that
// lets a monitor settle between two changes.
#include <gtest/gtest.h>

#include <cstdint>

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

struct ChangeGap {
    int window_mode;
    int gap;
    // The least and the most time between the two changes' records.
    int least;
    int most;
};

// Any change within two seconds of the last one, in a window as in full screen, waits until
// 2060 ms after it; a later one waits 60 ms.
TEST_F(ScreenModes, EveryChangeSoonAfterTheLastWaitsForTheMonitor) {
    const ChangeGap gaps[] = {
        {1, 0, 2060, 2100}, {1, 1500, 2060, 2100}, {1, 2500, 2560, 2600}, {0, 1500, 2060, 2100}};
    for (const ChangeGap& c : gaps) {
        test::FakeClockScope clock(5'000'000'000);
        layer::window_state.window_mode = c.window_mode;
        layer::direct_draw.last_mode_change_time = 0;
        EXPECT_GE(layer::ApplyScreenMode(-1, -1, -1, 1, -1), 0);
        const int first = layer::direct_draw.last_mode_change_time;
        clock.Advance(static_cast<std::uint64_t>(c.gap) * 1'000'000);
        EXPECT_GE(layer::ApplyScreenMode(-1, -1, -1, 1, -1), 0);
        const int between = layer::direct_draw.last_mode_change_time - first;
        EXPECT_GE(between, c.least) << c.window_mode << " " << c.gap;
        EXPECT_LE(between, c.most) << c.window_mode << " " << c.gap;
    }
}

}  // namespace
