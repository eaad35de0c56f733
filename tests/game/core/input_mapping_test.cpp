#include "game/core/input_mapping.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using game::DeviceInput;
using game::InputHistory;
using game::InputSettings;
using game::InputState;
using game::MapInput;
using game::ReplayKeys;

constexpr int kDown = 1;
constexpr int kLeft = 2;
constexpr int kRight = 4;
constexpr int kUp = 8;

DeviceInput Pad(int bits) {
    DeviceInput devices;
    devices.padBits = bits;
    return devices;
}

DeviceInput Keys(std::initializer_list<int> codes) {
    DeviceInput devices;
    for (const int code : codes) {
        devices.keys[code] = 1;
    }
    return devices;
}

// Runs frames one after another over one state and history.
class Frames {
  public:
    explicit Frames(InputSettings settings = {}) : settings_(settings) {}

    const InputState& Run(const DeviceInput& devices) {
        MapInput(state_, history_, devices, settings_, nullptr);
        return state_;
    }
    const InputState& Replay(const DeviceInput& devices, const ReplayKeys& keys) {
        MapInput(state_, history_, devices, settings_, &keys);
        return state_;
    }
    const InputState& state() const { return state_; }

  private:
    InputSettings settings_;
    InputState state_;
    InputHistory history_;
};

struct DirectionCase {
    const char* name;
    std::vector<int> frames;  // pad bits per frame
    int direction4;
    int direction8;
};

class Directions : public testing::TestWithParam<DirectionCase> {};

TEST_P(Directions, LastFrameGivesTheDirection) {
    Frames frames;
    for (const int bits : GetParam().frames) {
        frames.Run(Pad(bits));
    }
    EXPECT_EQ(frames.state().direction4, GetParam().direction4);
    EXPECT_EQ(frames.state().direction8, GetParam().direction8);
}

INSTANTIATE_TEST_SUITE_P(
    Held, Directions,
    testing::Values(DirectionCase{"Nothing", {0}, 0, 0}, DirectionCase{"Up", {kUp}, 8, 8},
                    DirectionCase{"UpThenDownToo", {kUp, kUp | kDown}, 2, 2},
                    DirectionCase{"DownLetGoReturnsToUp", {kUp, kUp | kDown, kUp}, 8, 8},
                    DirectionCase{"BothAtOnceGoDown", {kUp | kDown}, 2, 2},
                    DirectionCase{"UpLeft", {kUp | kLeft}, 8, 7},
                    DirectionCase{"UpRight", {kUp | kRight}, 8, 9},
                    DirectionCase{"DownLeft", {kDown | kLeft}, 2, 1},
                    DirectionCase{"DownRight", {kDown | kRight}, 2, 3},
                    DirectionCase{"LeftThenRightToo", {kLeft, kLeft | kRight}, 6, 6},
                    DirectionCase{"RightLetGoReturnsToLeft", {kLeft, kLeft | kRight, kLeft}, 4, 4}),
    [](const testing::TestParamInfo<DirectionCase>& info) { return std::string(info.param.name); });

TEST(InputMapping, NewDirectionsAreReportedOnceAndTheLaterKeyWins) {
    Frames frames;
    const InputState& first = frames.Run(Pad(kUp | kLeft));
    EXPECT_EQ(first.newDirection4, 4);
    EXPECT_EQ(first.newDirection8, 7);
    EXPECT_EQ(first.upPressed, 1);
    EXPECT_EQ(first.leftPressed, 1);
    const InputState& second = frames.Run(Pad(kUp | kLeft));
    EXPECT_EQ(second.newDirection4, 0);
    EXPECT_EQ(second.newDirection8, 0);
    EXPECT_EQ(second.upPressed, 0);
    EXPECT_EQ(frames.Run(Pad(kUp)).newDirection8, 8);
}

TEST(InputMapping, RepeatPulsesFollowDelayAndIntervalInUpdates) {
    InputSettings settings;
    settings.framesPerUpdate = 2;
    settings.repeatDelay = 24;
    settings.repeatInterval = 4;
    Frames frames(settings);
    DeviceInput devices = Pad(kRight);
    devices.keys[28] = 1;
    devices.keys[1] = 1;
    std::vector<int> confirm_pulses;
    std::vector<int> cancel_pulses;
    std::vector<int> direction_pulses;
    for (int frame = 1; frame <= 20; ++frame) {
        const InputState& state = frames.Run(devices);
        if (state.confirmRepeat != 0) {
            confirm_pulses.push_back(frame);
        }
        if (state.cancelRepeat != 0) {
            cancel_pulses.push_back(frame);
        }
        if (state.repeatDirection4 == 6 && frame > 1) {
            direction_pulses.push_back(frame);
        }
    }
    const std::vector<int> expected{12, 14, 16, 18, 20};
    EXPECT_EQ(confirm_pulses, expected);
    EXPECT_EQ(cancel_pulses, expected);
    EXPECT_EQ(direction_pulses, expected);
    EXPECT_EQ(frames.state().confirmCount, 20);
}

TEST(InputMapping, RepeatStepsAreAtLeastOneUpdate) {
    InputSettings settings;
    settings.framesPerUpdate = 3;
    settings.repeatDelay = 1;
    settings.repeatInterval = 2;
    Frames frames(settings);
    for (int frame = 1; frame <= 3; ++frame) {
        EXPECT_EQ(frames.Run(Keys({28})).confirmRepeat, 1) << frame;
    }
}

struct DecisionCase {
    const char* name;
    std::vector<int> keys;
    int padBits;
    int confirm;
    int cancel;
    int sub;
    int fourth;
};

class DecisionKeys : public testing::TestWithParam<DecisionCase> {};

TEST_P(DecisionKeys, KeysAndPadBitsGiveTheActions) {
    Frames frames;
    DeviceInput devices = Pad(GetParam().padBits);
    for (const int code : GetParam().keys) {
        devices.keys[code] = 1;
    }
    const InputState& state = frames.Run(devices);
    EXPECT_EQ(state.confirmHeld, GetParam().confirm);
    EXPECT_EQ(state.cancelHeld, GetParam().cancel);
    EXPECT_EQ(state.subHeld, GetParam().sub);
    EXPECT_EQ(state.fourthHeld, GetParam().fourth);
    EXPECT_EQ(state.confirmPressed, GetParam().confirm);
    EXPECT_EQ(state.liveConfirmPressed, GetParam().confirm);
}

INSTANTIATE_TEST_SUITE_P(Actions, DecisionKeys,
                         testing::Values(DecisionCase{"ConfiguredZ", {44}, 0, 1, 0, 0, 0},
                                         DecisionCase{"Enter", {28}, 0, 1, 0, 0, 0},
                                         DecisionCase{"Space", {57}, 0, 1, 0, 0, 0},
                                         DecisionCase{"PadButtonOne", {}, 16, 1, 0, 0, 0},
                                         DecisionCase{"ConfiguredX", {45}, 0, 0, 1, 0, 0},
                                         DecisionCase{"Escape", {1}, 0, 0, 1, 0, 0},
                                         DecisionCase{"Backspace", {14}, 0, 0, 1, 0, 0},
                                         DecisionCase{"NumpadZero", {82}, 0, 0, 1, 0, 0},
                                         DecisionCase{"Insert", {210}, 0, 0, 1, 0, 0},
                                         DecisionCase{"ReplayOnlyCancel", {148}, 0, 0, 0, 0, 0},
                                         DecisionCase{"ConfiguredC", {46}, 0, 0, 0, 1, 0},
                                         DecisionCase{"LeftShift", {42}, 0, 0, 0, 1, 0},
                                         DecisionCase{"RightShift", {54}, 0, 0, 0, 1, 0},
                                         DecisionCase{"PadButtonEleven", {}, 0x4000, 0, 0, 0, 1}),
                         [](const testing::TestParamInfo<DecisionCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(InputMapping, ConfiguredKeysOutsideTheKeyboardAreNotHeld) {
    for (const int code : {0, 99, 356, -5, 100000}) {
        InputSettings settings;
        settings.keys[0] = code;
        Frames frames(settings);
        DeviceInput devices;
        devices.keys.fill(1);
        devices.keys[28] = devices.keys[57] = 0;
        EXPECT_EQ(frames.Run(devices).confirmHeld, 0) << code;
    }
    InputSettings highest;
    highest.keys[0] = 355;
    Frames frames(highest);
    EXPECT_EQ(frames.Run(Keys({255})).confirmHeld, 1);
}

TEST(InputMapping, InactiveWindowReportsNothingHeldOrPressed) {
    Frames frames;
    DeviceInput devices = Keys({28, 1, 42, 29, 183});
    devices.padBits = kUp | 16;
    devices.mouseButtons = 1;
    devices.mouseX = 100;
    devices.mouseY = 100;
    devices.windowActive = false;
    const InputState& state = frames.Run(devices);
    for (const auto& [flag, name] :
         {std::pair{state.confirmPressed, "confirm"}, std::pair{state.cancelPressed, "cancel"},
          std::pair{state.subPressed, "sub"}, std::pair{state.upPressed, "up"},
          std::pair{state.upHeld, "up held"}, std::pair{state.ctrlPressed, "ctrl"},
          std::pair{state.shiftHeld, "shift"}, std::pair{state.printPressed, "print"},
          std::pair{state.mouseButtonsPressed[0], "left click"},
          std::pair{state.liveConfirm, "live confirm"}}) {
        EXPECT_EQ(flag, 0) << name;
    }
    EXPECT_EQ(state.direction4, 0);
}

TEST(InputMapping, ClickFromTheLastActiveFrameIsNotRepeatedWhileInactive) {
    Frames frames;
    DeviceInput devices;
    devices.mouseButtons = 1;
    devices.mouseX = 50;
    devices.mouseY = 60;
    ASSERT_EQ(frames.Run(devices).mouseButtonsPressed[0], 1);
    devices.windowActive = false;
    const InputState& inactive = frames.Run(devices);
    EXPECT_EQ(inactive.mouseButtonsPressed[0], 0);
    EXPECT_EQ(inactive.mouseX, 50);
    devices.windowActive = true;
    EXPECT_EQ(frames.Run(devices).mouseButtonsPressed[0], 1);
}

struct MouseCase {
    const char* name;
    int tileSize;
    int zoom;
    double scale;
    int x;
    int y;
    int gameX;
    int gameY;
    int clicked;
};

class MousePositions : public testing::TestWithParam<MouseCase> {};

TEST_P(MousePositions, PositionIsCorrectedClampedAndClickedInsideOnly) {
    InputSettings settings;
    settings.tileSize = GetParam().tileSize;
    settings.zoom = GetParam().zoom;
    Frames frames(settings);
    DeviceInput devices;
    devices.windowScale = GetParam().scale;
    devices.mouseX = GetParam().x;
    devices.mouseY = GetParam().y;
    devices.mouseButtons = 1 | 2 | 4;
    const InputState& state = frames.Run(devices);
    EXPECT_EQ(state.mouseX, GetParam().gameX);
    EXPECT_EQ(state.mouseY, GetParam().gameY);
    for (int button = 0; button < 3; ++button) {
        EXPECT_EQ(state.mouseButtons[button], GetParam().clicked);
        EXPECT_EQ(state.mouseButtonsPressed[button], GetParam().clicked);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, MousePositions,
    testing::Values(MouseCase{"Inside", 32, 1, 1.0, 100, 200, 100, 200, 1},
                    MouseCase{"Corner", 32, 1, 1.0, 640, 480, 640, 480, 1},
                    MouseCase{"RightOfTheScreen", 32, 1, 1.0, 641, 100, 640, 100, 0},
                    MouseCase{"BelowTheScreen", 32, 1, 1.0, 100, 481, 100, 480, 0},
                    MouseCase{"AboveTheScreen", 32, 1, 1.0, 100, -50, 100, -10, 0},
                    MouseCase{"ScaledWindowShiftsByOne", 32, 1, 2.0, 100, 200, 101, 201, 1},
                    MouseCase{"ShiftedPastTheEdge", 32, 1, 2.0, 640, 100, 640, 101, 0},
                    MouseCase{"SmallTilesShiftByOne", 16, 1, 1.0, 0, 0, 1, 1, 1},
                    MouseCase{"SmallTilesZoomedAreHalved", 16, 2, 1.0, 301, 201, 151, 101, 1}),
    [](const testing::TestParamInfo<MouseCase>& info) { return std::string(info.param.name); });

TEST(InputMapping, MouseMovementWheelAndNewClicks) {
    Frames frames;
    DeviceInput devices;
    devices.mouseX = 10;
    devices.mouseY = 20;
    devices.wheel = -2;
    devices.mouseButtons = 2;
    frames.Run(devices);
    devices.mouseX = 15;
    devices.mouseY = 12;
    devices.wheel = 1;
    const InputState& state = frames.Run(devices);
    EXPECT_EQ(state.mouseDX, 5);
    EXPECT_EQ(state.mouseDY, -8);
    EXPECT_EQ(state.wheel, 1);
    EXPECT_EQ(state.mouseButtons[1], 1);
    EXPECT_EQ(state.mouseButtonsPressed[1], 0);
}

TEST(InputMapping, HiddenCursorShowsAboveTheGameArea) {
    InputSettings settings;
    settings.mouseCursorShown = false;
    struct CursorCase {
        int y;
        game::CursorRequest request;
    };
    for (const CursorCase cursor :
         {CursorCase{-5, game::CursorRequest::kShow}, CursorCase{-2, game::CursorRequest::kNone},
          CursorCase{-1, game::CursorRequest::kHide},
          CursorCase{300, game::CursorRequest::kHide}}) {
        InputState state;
        InputHistory history;
        DeviceInput devices;
        devices.mouseY = cursor.y;
        EXPECT_EQ(MapInput(state, history, devices, settings, nullptr).cursor, cursor.request)
            << cursor.y;
    }
    InputState state;
    InputHistory history;
    DeviceInput devices;
    devices.mouseY = -5;
    EXPECT_EQ(MapInput(state, history, devices, InputSettings{}, nullptr).cursor,
              game::CursorRequest::kNone);
}

TEST(InputMapping, ModifiersPrintScreenAndFunctionKeysHaveEdges) {
    Frames frames;
    const InputState& first = frames.Run(Keys({157, 54, 183, 62, 88}));
    EXPECT_EQ(first.ctrlPressed, 1);
    EXPECT_EQ(first.shiftPressed, 1);
    EXPECT_EQ(first.printPressed, 1);
    EXPECT_EQ(first.f4Pressed, 1);
    EXPECT_EQ(first.f12Pressed, 1);
    EXPECT_EQ(first.f5Held, 0);
    const InputState& second = frames.Run(Keys({157, 54, 183, 62, 88, 66}));
    EXPECT_EQ(second.ctrlHeld, 1);
    EXPECT_EQ(second.ctrlPressed, 0);
    EXPECT_EQ(second.printPressed, 0);
    EXPECT_EQ(second.f4Held, 1);
    EXPECT_EQ(second.f4Pressed, 0);
    EXPECT_EQ(second.f8Pressed, 1);
}

TEST(InputMapping, LiveFramesGiveTheirKeysToTheRecorder) {
    InputState state;
    InputHistory history;
    DeviceInput devices = Pad(kUp | kRight | 0x4000);
    devices.keys[28] = 1;
    const game::InputMappingResult result =
        MapInput(state, history, devices, InputSettings{}, nullptr);
    EXPECT_EQ(result.live, (ReplayKeys{1, 0, 0, 1, 1, 0, 0, 1}));
}

TEST(InputMapping, ReplayTakesDirectionsAndDecisionsFromTheRecord) {
    Frames frames;
    DeviceInput devices = Keys({1, 148, 157});
    devices.padBits = kDown;
    devices.windowActive = false;
    const InputState& state = frames.Replay(devices, ReplayKeys{1, 0, 1, 0, 0, 0, 1, 0});
    EXPECT_EQ(state.direction8, 7);
    EXPECT_EQ(state.upPressed, 1);
    EXPECT_EQ(state.downHeld, 0);
    EXPECT_EQ(state.subHeld, 1);
    EXPECT_EQ(state.subPressed, 1);
    EXPECT_EQ(state.cancelHeld, 0);
    EXPECT_EQ(state.liveCancel, 1);
    EXPECT_EQ(state.ctrlHeld, 0);
}

TEST(InputMapping, ReplayCancelKeyCountsOnlyInAReplay) {
    Frames frames;
    EXPECT_EQ(frames.Replay(Keys({148}), ReplayKeys{}).liveCancel, 1);
}

TEST(InputMapping, ResetClearsTheRepeatsAndTheKeyTable) {
    Frames frames;
    InputState state = frames.Run(Keys({28, 30}));
    game::ResetInputState(state);
    EXPECT_EQ(state.confirmCount, 0);
    EXPECT_EQ(state.keys[30], 0);
    EXPECT_EQ(state.confirmHeld, 1);
}

}  // namespace
