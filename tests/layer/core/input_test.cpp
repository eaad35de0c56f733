#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/time_routines.h"
#include "layer/core/window_state.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/input_events.h"
#include "tests/support/sjis.h"

namespace {

// The layer started with the keyboard and mouse only.
class LayerInput : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        ASSERT_EQ(layer::InitializeLayer(), 0);
    }
};

// Device reads are kept for the rest of their millisecond.
void NextMillisecond() {
    const int start = layer::ReadMillisecondClock();
    while (layer::ReadMillisecondClock() == start) {
        std::this_thread::yield();
    }
}

std::array<char, 256> KeyState() {
    std::array<char, 256> state{};
    EXPECT_EQ(layer::ReadKeyboardState(state.data()), 0);
    return state;
}

int HeldKeyCount(const std::array<char, 256>& state) {
    int count = 0;
    for (const char byte : state) {
        count += byte;
    }
    return count;
}

struct KeyCase {
    const char* name;
    SDL_Scancode scancode;
    int code;
};

class KeyCodes : public LayerInput, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeyCodes, HeldKeyReadsAtItsPositionalCode) {
    test::PushKey(GetParam().scancode, true);
    std::array<char, 256> state = KeyState();
    EXPECT_EQ(state[GetParam().code], 1);
    EXPECT_EQ(HeldKeyCount(state), 1);
    EXPECT_EQ(layer::IsKeyDown(GetParam().code), 1);

    test::PushKey(GetParam().scancode, false);
    EXPECT_EQ(HeldKeyCount(KeyState()), 0);
    EXPECT_EQ(layer::IsKeyDown(GetParam().code), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodes,
                         testing::Values(KeyCase{"A", SDL_SCANCODE_A, 0x1E},
                                         KeyCase{"Up", SDL_SCANCODE_UP, 0xC8},
                                         KeyCase{"RightCtrl", SDL_SCANCODE_RCTRL, 0x9D},
                                         KeyCase{"PrintScreen", SDL_SCANCODE_PRINTSCREEN, 0xB7},
                                         KeyCase{"JapaneseCaret", SDL_SCANCODE_EQUALS, 0x90},
                                         KeyCase{"NumpadEnter", SDL_SCANCODE_KP_ENTER, 0x9C}),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(LayerInput, KeyCodesOutsideTheTableAreNeverDown) {
    EXPECT_EQ(layer::IsKeyDown(256), 0);
    EXPECT_EQ(layer::IsKeyDown(-1), 0);
    EXPECT_EQ(layer::ReadKeyboardState(nullptr), -1);
}

struct KeyboardPadCase {
    const char* name;
    SDL_Scancode scancode;
    int pad;
    int bits;
};

class KeyboardOnPads : public LayerInput, public testing::WithParamInterface<KeyboardPadCase> {};

TEST_P(KeyboardOnPads, KeysAddTheirSlotBitOnlyToPadOne) {
    test::PushKey(GetParam().scancode, true);
    EXPECT_EQ(layer::GetPadInputBits(GetParam().pad), GetParam().bits);
    test::PushKey(GetParam().scancode, false);
    EXPECT_EQ(layer::GetPadInputBits(GetParam().pad), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardOnPads,
    testing::Values(KeyboardPadCase{"DownArrow", SDL_SCANCODE_DOWN, 0x1001, 1},
                    KeyboardPadCase{"NumpadFour", SDL_SCANCODE_KP_4, 0x1001, 2},
                    KeyboardPadCase{"RightArrow", SDL_SCANCODE_RIGHT, 0x1001, 4},
                    KeyboardPadCase{"NumpadEight", SDL_SCANCODE_KP_8, 0x1001, 8},
                    KeyboardPadCase{"Z", SDL_SCANCODE_Z, 0x1001, 16},
                    KeyboardPadCase{"Escape", SDL_SCANCODE_ESCAPE, 0x1001, 1 << 12},
                    KeyboardPadCase{"Space", SDL_SCANCODE_SPACE, 0x1001, 1 << 13},
                    KeyboardPadCase{"NoPadForTheKeyboard", SDL_SCANCODE_Z, 0x1000, 16},
                    KeyboardPadCase{"PadTwoHasNoKeys", SDL_SCANCODE_Z, 0x1002, 0},
                    KeyboardPadCase{"WithoutTheKeyboardFlag", SDL_SCANCODE_Z, 1, 0},
                    KeyboardPadCase{"RowPastTheTable", SDL_SCANCODE_Z, 0x1000 + 40, 0},
                    KeyboardPadCase{"NegativePad", SDL_SCANCODE_Z, -1, 0},
                    KeyboardPadCase{"UnmappedKey", SDL_SCANCODE_B, 0x1001, 0}),
    [](const testing::TestParamInfo<KeyboardPadCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(LayerInput, MouseButtonsComeLeftRightMiddle) {
    struct ButtonCase {
        int sdl_button;
        int bits;
    };
    for (const ButtonCase button : {ButtonCase{SDL_BUTTON_LEFT, 1}, ButtonCase{SDL_BUTTON_RIGHT, 2},
                                    ButtonCase{SDL_BUTTON_MIDDLE, 4}, ButtonCase{SDL_BUTTON_X1, 8},
                                    ButtonCase{SDL_BUTTON_X2, 16}}) {
        test::PushMouseButton(button.sdl_button, true);
        EXPECT_EQ(layer::GetMouseButtons(), button.bits) << button.sdl_button;
        test::PushMouseButton(button.sdl_button, false);
        EXPECT_EQ(layer::GetMouseButtons(), 0);
    }
}

TEST_F(LayerInput, AnyInputSkipsTheLockKeys) {
    for (const SDL_Scancode lock :
         {SDL_SCANCODE_CAPSLOCK, SDL_SCANCODE_INTERNATIONAL2, SDL_SCANCODE_LANG5}) {
        test::PushKey(lock, true);
    }
    EXPECT_EQ(layer::CheckAnyInput(1), 0);
    test::PushKey(SDL_SCANCODE_S, true);
    EXPECT_EQ(layer::CheckAnyInput(1), 0x1F);
    test::PushKey(SDL_SCANCODE_S, false);
    EXPECT_EQ(layer::CheckAnyInput(1), 0);
}

TEST_F(LayerInput, AnyInputReportsAHeldF10AfterTheKeys) {
    layer::SetF10ReportFlag(1);
    EXPECT_EQ(layer::CheckAnyInput(1), 0x44);
    test::PushKey(SDL_SCANCODE_X, true);
    EXPECT_EQ(layer::CheckAnyInput(1), 0x2D);
    test::PushKey(SDL_SCANCODE_X, false);
    layer::SetF10ReportFlag(0);
    EXPECT_EQ(layer::CheckAnyInput(1), 0);
}

TEST_F(LayerInput, AnyInputCountsMouseButtonsInsideTheWindowOnly) {
    layer::SetWindowScale(2.0);
    SDL_WarpMouseInWindow(platform::CurrentSdlWindow(), 1200, 900);
    test::PushMouseButton(SDL_BUTTON_LEFT, true);
    EXPECT_EQ(layer::CheckAnyInput(1), 0);
    EXPECT_EQ(layer::CheckAnyInput(4), -1);

    layer::window_state.active = 0;
    layer::SetRunWhileInactive(1);
    EXPECT_EQ(layer::CheckAnyInput(4), 0);
    layer::window_state.active = 1;
    test::PushMouseButton(SDL_BUTTON_LEFT, false);
    EXPECT_EQ(layer::CheckAnyInput(4), 0);
}

TEST_F(LayerInput, QueriesStartTheInputAgainAfterItsEnd) {
    layer::EndInputSystem();
    ASSERT_EQ(layer::input_devices.started, 0);
    EXPECT_EQ(layer::GetPadInputBits(0x1001), 0);
    EXPECT_EQ(layer::input_devices.started, 1);
    test::PushKey(SDL_SCANCODE_Z, true);
    EXPECT_EQ(layer::GetPadInputBits(0x1001), 16);
    test::PushKey(SDL_SCANCODE_Z, false);
}

TEST_F(LayerInput, QueriesDoNotStartTheInputWhileQuitting) {
    layer::EndInputSystem();
    layer::window_state.quit_requested = 1;
    EXPECT_EQ(layer::GetPadInputBits(0x1001), 0);
    EXPECT_EQ(layer::input_devices.started, 0);
    layer::window_state.quit_requested = 0;
}

TEST_F(LayerInput, QueriesWithoutAWindowReadNothing) {
    layer::ShutdownLayer();
    std::array<char, 256> state{};
    state.fill(7);
    EXPECT_EQ(layer::ReadKeyboardState(state.data()), 0);
    EXPECT_EQ(HeldKeyCount(state), 0);
    EXPECT_EQ(layer::GetPadInputBits(0x1001), 0);
    EXPECT_EQ(layer::CheckAnyInput(7), 0);
    EXPECT_EQ(layer::input_devices.started, 0);
}

// A virtual pad attached before the layer starts: 2 axes, 32 buttons, a hat.
class PadInput : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        // The dummy window never has the keyboard focus, without which SDL drops pad input.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        device_index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 32, 1);
        ASSERT_GE(device_index_, 0);
        joystick_ = SDL_JoystickOpen(device_index_);
        ASSERT_NE(joystick_, nullptr);
        ASSERT_EQ(layer::InitializeLayer(), 0);
    }
    void TearDown() override {
        layer::ShutdownLayer();
        if (joystick_ != nullptr) {
            SDL_JoystickClose(joystick_);
        }
        SDL_JoystickDetachVirtual(device_index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        LayerTest::TearDown();
    }

    int Bits() {
        NextMillisecond();
        return layer::GetPadInputBits(1);
    }

    int device_index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

TEST_F(PadInput, PadIsRecordedAtStart) {
    EXPECT_EQ(layer::input_devices.pad_count, 1);
    EXPECT_NE(ReadLog().find(test::Sjis(u8"パッドの数は 1 個です")), std::string::npos);
}

TEST_F(PadInput, AxesBeyondTheDeadZoneAndButtonsGiveBits) {
    struct PadCase {
        int x;
        int y;
        int button;
        int bits;
    };
    for (const PadCase pad :
         {PadCase{0, 0, -1, 0}, PadCase{-32768, 0, -1, 2}, PadCase{32767, 0, -1, 4},
          PadCase{0, -32768, -1, 8}, PadCase{0, 32767, -1, 1}, PadCase{8000, -8000, -1, 0},
          PadCase{9000, 0, -1, 4}, PadCase{0, 0, 0, 16}, PadCase{0, 0, 23, 1 << 27},
          PadCase{0, 0, 24, 0}, PadCase{-32768, -32768, 1, 2 | 8 | 32}}) {
        SDL_JoystickSetVirtualAxis(joystick_, 0, static_cast<Sint16>(pad.x));
        SDL_JoystickSetVirtualAxis(joystick_, 1, static_cast<Sint16>(pad.y));
        for (int button = 0; button < 32; ++button) {
            SDL_JoystickSetVirtualButton(joystick_, button, button == pad.button);
        }
        EXPECT_EQ(Bits(), pad.bits) << pad.x << " " << pad.y << " " << pad.button;
    }
}

TEST_F(PadInput, PadAndKeyboardMergeOnPadOne) {
    SDL_JoystickSetVirtualButton(joystick_, 2, 1);
    test::PushKey(SDL_SCANCODE_UP, true);
    NextMillisecond();
    EXPECT_EQ(layer::GetPadInputBits(0x1001), 64 | 8);
    EXPECT_EQ(layer::GetPadInputBits(1), 64);
    EXPECT_EQ(layer::GetPadInputBits(3), 0);
    test::PushKey(SDL_SCANCODE_UP, false);
}

TEST_F(PadInput, AnyInputSeesAPadButton) {
    EXPECT_EQ(layer::CheckAnyInput(1), 0);
    SDL_JoystickSetVirtualButton(joystick_, 5, 1);
    NextMillisecond();
    EXPECT_EQ(layer::CheckAnyInput(1), -1);
}

TEST_F(PadInput, PadThatIsGoneReadsNeutral) {
    SDL_JoystickSetVirtualButton(joystick_, 0, 1);
    ASSERT_EQ(Bits(), 16);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(device_index_);
    EXPECT_EQ(Bits(), 0);
}

}  // namespace
