#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_state.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/bounded_wait.h"

namespace {

using Rumble = std::pair<int, int>;

// A virtual pad whose rumble callback records every motor setting that reaches the device.
class PadVibration : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = 2;
        desc.nbuttons = 4;
        desc.userdata = &rumbles_;
        desc.Rumble = [](void* userdata, Uint16 low, Uint16 high) {
            static_cast<std::vector<Rumble>*>(userdata)->emplace_back(low, high);
            return 0;
        };
        device_index_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(device_index_, 0);
        ASSERT_EQ(layer::InitializeLayer(), 0);
        ASSERT_EQ(layer::input_devices.pad_count, 1);
        ASSERT_EQ(pad().has_effects, 1);
    }
    void TearDown() override {
        layer::ShutdownLayer();
        SDL_JoystickDetachVirtual(device_index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        LayerTest::TearDown();
    }

    static layer::PadRecord& pad() { return layer::input_devices.pads[0]; }

    void SwitchOn(int power, int duration) {
        pad().vibration_on = 1;
        pad().vibration_power = power;
        pad().vibration_duration = duration;
        pad().vibration_elapsed = 0;
        pad().last_vibration_service = layer::ReadMillisecondClock();
    }

    int device_index_ = -1;
    std::vector<Rumble> rumbles_;
};

// Motor speeds are the power's share of 0xFFFF.
TEST_F(PadVibration, PowerAboveHalfAddsThePeriodicEffectAndStopEndsBoth) {
    struct PowerCase {
        int power;
        Rumble running;
    };
    for (const PowerCase& c : {PowerCase{8000, {52428, 52428}}, PowerCase{5001, {32774, 32774}},
                               PowerCase{5000, {32767, 0}}, PowerCase{2000, {13107, 0}}}) {
        rumbles_.clear();
        SwitchOn(c.power, -1);
        EXPECT_EQ(layer::ApplyPadVibration(), 0);
        EXPECT_EQ(pad().steady_applied, 1);
        EXPECT_EQ(pad().periodic_applied, c.power > 5000 ? 1 : 0);
        EXPECT_EQ(layer::StopPadVibration(1), 0);
        EXPECT_EQ(pad().vibration_on, 0);
        EXPECT_EQ(pad().vibration_power, 10000);
        EXPECT_EQ(rumbles_, (std::vector<Rumble>{c.running, {0, 0}})) << c.power;
    }
}

TEST_F(PadVibration, NothingReachesThePadWhileVibrationStaysOff) {
    layer::ServicePadVibration();
    layer::ApplyPadVibration();
    EXPECT_EQ(layer::StopPadVibration(1), 0);
    EXPECT_EQ(layer::StopPadVibration(2), 0);
    EXPECT_TRUE(rumbles_.empty());
}

TEST_F(PadVibration, ADurationEndsTheVibrationAtAService) {
    SwitchOn(10000, 20);
    layer::ServicePadVibration();
    ASSERT_EQ(rumbles_, (std::vector<Rumble>{{65535, 65535}}));
    ASSERT_TRUE(test::WaitUntil([] {
        layer::ServicePadVibration();
        return pad().vibration_on == 0;
    }));
    EXPECT_GE(pad().vibration_elapsed, 20);
    EXPECT_EQ(rumbles_, (std::vector<Rumble>{{65535, 65535}, {0, 0}}));
}

TEST_F(PadVibration, AClockThatWentBackCountsNothing) {
    SwitchOn(10000, 1000);
    pad().last_vibration_service = layer::ReadMillisecondClock() + 100000;
    layer::ServicePadVibration();
    EXPECT_EQ(pad().vibration_elapsed, 0);
    EXPECT_EQ(pad().vibration_on, 1);
    EXPECT_LE(pad().last_vibration_service, layer::ReadMillisecondClock());
}

TEST_F(PadVibration, AnInactiveWindowStopsEveryEffectUntilItIsBack) {
    SwitchOn(9000, -1);
    layer::ApplyPadVibration();
    layer::window_state.active = 0;
    layer::ApplyPadVibration();
    EXPECT_EQ(pad().steady_applied, 0);
    EXPECT_EQ(pad().periodic_applied, 0);
    layer::window_state.active = 1;
    layer::ApplyPadVibration();
    EXPECT_EQ(rumbles_, (std::vector<Rumble>{{58981, 58981}, {0, 0}, {58981, 58981}}));
}

}  // namespace
