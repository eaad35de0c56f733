#include "game/core/input_mapping.h"

#include <algorithm>

namespace game {
namespace {

// Key codes.
constexpr int kEscape = 1;
constexpr int kBackspace = 14;
constexpr int kEnter = 28;
constexpr int kLeftCtrl = 29;
constexpr int kLeftShift = 42;
constexpr int kRightShift = 54;
constexpr int kSpace = 57;
constexpr int kNumpadZero = 82;
constexpr int kReplayCancel = 148;
constexpr int kRightCtrl = 157;
constexpr int kPrintScreen = 183;
constexpr int kInsert = 210;
// F4, F5, F9, F8, F10, F12, in the order of their flags.
constexpr std::array<int, 6> kFunctionKeys{62, 63, 67, 66, 68, 88};

// Pad bits.
constexpr int kPadDown = 1;
constexpr int kPadLeft = 2;
constexpr int kPadRight = 4;
constexpr int kPadUp = 8;
constexpr int kPadFourth = 0x4000;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMouseTop = -10;

std::uint8_t Flag(bool value) {
    return value ? 1 : 0;
}

std::uint8_t Key(const std::array<std::uint8_t, 256>& keys, int code) {
    return keys[code] != 0 ? 1 : 0;
}

// A configured code outside the keyboard's 100 to 355 names no key.
std::uint8_t ConfiguredKey(const std::array<std::uint8_t, 256>& keys, int code) {
    return code >= 100 && code <= 355 ? Key(keys, code - 100) : 0;
}

bool Pulses(int count, int delay, int interval) {
    return count == delay || (count > delay && (count - delay) % interval == 0);
}

void MapMouse(InputState& state, const DeviceInput& devices, const InputSettings& settings,
              InputMappingResult& result) {
    state.mouseButtons = {};
    state.mouseButtonsPressed = {};
    int x = devices.mouseX;
    int y = devices.mouseY;
    if (settings.tileSize != 32 || devices.windowScale != 1.0) {
        ++x;
        ++y;
    }
    if (x >= 0 && x <= kScreenWidth && y >= 0 && y <= kScreenHeight) {
        for (int button = 0; button < 3; ++button) {
            state.mouseButtons[button] = Flag((devices.mouseButtons & (1 << button)) != 0);
            state.mouseButtonsPressed[button] =
                Flag(state.mouseButtons[button] != 0 && state.prevMouseButtons[button] == 0);
        }
    }
    state.prevMouseButtons = state.mouseButtons;
    state.wheel = devices.wheel;
    x = std::clamp(x, 0, kScreenWidth);
    y = std::clamp(y, kMouseTop, kScreenHeight);
    if (!settings.mouseCursorShown) {
        if (y < -2) {
            result.cursor = CursorRequest::kShow;
        } else if (y >= -1) {
            result.cursor = CursorRequest::kHide;
        }
    }
    if (settings.tileSize == 16 && settings.zoom == 2) {
        x /= 2;
        y /= 2;
    }
    state.mouseX = x;
    state.mouseY = y;
    state.mouseDX = x - state.prevMouseX;
    state.mouseDY = y - state.prevMouseY;
    state.prevMouseX = x;
    state.prevMouseY = y;
}

void MapModifiers(InputState& state, InputHistory& history, const DeviceInput& devices) {
    const auto& keys = devices.keys;
    const bool active = devices.windowActive;
    state.ctrlHeld = Flag(active && (Key(keys, kRightCtrl) != 0 || Key(keys, kLeftCtrl) != 0));
    state.shiftHeld = Flag(active && (Key(keys, kLeftShift) != 0 || Key(keys, kRightShift) != 0));
    state.printHeld = Flag(active && Key(keys, kPrintScreen) != 0);
    state.ctrlPressed = Flag(state.ctrlHeld != 0 && history.ctrl == 0);
    state.shiftPressed = Flag(state.shiftHeld != 0 && history.shift == 0);
    state.printPressed = Flag(state.printHeld != 0 && history.print == 0);
    history.ctrl = state.ctrlHeld;
    history.shift = state.shiftHeld;
    history.print = state.printHeld;
}

void MapDecisionKeys(InputState& state, InputHistory& history, const DeviceInput& devices,
                     const InputSettings& settings, bool replay) {
    const auto& keys = devices.keys;
    const int pad = devices.padBits;
    const bool read = replay || devices.windowActive;
    state.liveConfirm =
        Flag(read && ((pad & settings.padMasks[0]) != 0 || ConfiguredKey(keys, settings.keys[0]) ||
                      Key(keys, kEnter) || Key(keys, kSpace)));
    state.liveCancel =
        Flag(read && ((pad & settings.padMasks[1]) != 0 || ConfiguredKey(keys, settings.keys[1]) ||
                      Key(keys, kNumpadZero) || Key(keys, kInsert) || Key(keys, kEscape) ||
                      Key(keys, kBackspace) || (replay && Key(keys, kReplayCancel))));
    state.liveSub = Flag(read && ((pad & settings.padMasks[2]) != 0 || Key(keys, kLeftShift) ||
                                  Key(keys, kRightShift) || ConfiguredKey(keys, settings.keys[2])));
    state.liveFourth = Flag(!replay && devices.windowActive && (pad & kPadFourth) != 0);
    state.liveConfirmPressed = Flag(state.liveConfirm != 0 && history.liveConfirm == 0);
    state.liveCancelPressed = Flag(state.liveCancel != 0 && history.liveCancel == 0);
    state.liveSubPressed = Flag(state.liveSub != 0 && history.liveSub == 0);
    state.liveFourthPressed = Flag(state.liveFourth != 0 && history.liveFourth == 0);
    history.liveConfirm = state.liveConfirm;
    history.liveCancel = state.liveCancel;
    history.liveSub = state.liveSub;
    history.liveFourth = state.liveFourth;
}

// Of two opposite keys held, the one pressed later wins; letting it go returns to the other.
void ResolvePair(std::uint8_t first_held, bool first_new, std::uint8_t second_held, bool second_new,
                 std::uint8_t& first, std::uint8_t& second) {
    if (first_new) {
        first = 1;
        second = 0;
    }
    if (first_held == 0) {
        first = 0;
        second = second_held;
    }
    if (second_new) {
        second = 1;
        first = 0;
    }
    if (second_held == 0) {
        second = 0;
        first = first_held;
    }
}

void MapDirections(InputState& state, InputHistory& history) {
    const bool up_new = state.upHeld != 0 && history.held.up == 0;
    const bool down_new = state.downHeld != 0 && history.held.down == 0;
    const bool left_new = state.leftHeld != 0 && history.held.left == 0;
    const bool right_new = state.rightHeld != 0 && history.held.right == 0;
    ++history.directionFrames;
    ResolvePair(state.upHeld, up_new, state.downHeld, down_new, state.verticalUp,
                state.verticalDown);
    ResolvePair(state.leftHeld, left_new, state.rightHeld, right_new, state.horizontalLeft,
                state.horizontalRight);
    const int side = state.horizontalLeft != 0 ? -1 : state.horizontalRight != 0 ? 1 : 0;
    if (state.verticalUp != 0) {
        state.direction4 = 8;
        state.direction8 = 8 + side;
    } else if (state.verticalDown != 0) {
        state.direction4 = 2;
        state.direction8 = 2 + side;
    } else if (side != 0) {
        state.direction4 = 5 + side;
        state.direction8 = 5 + side;
    } else {
        history.directionFrames = 0;
    }
    state.newDirection4 = 0;
    state.upPressed = Flag(up_new);
    state.downPressed = Flag(down_new);
    state.leftPressed = Flag(left_new);
    state.rightPressed = Flag(right_new);
    for (const auto& [pressed, digit] : {std::pair{up_new, 8}, std::pair{down_new, 2},
                                         std::pair{left_new, 4}, std::pair{right_new, 6}}) {
        if (pressed) {
            state.newDirection4 = digit;
        }
    }
    state.newDirection8 = state.direction8 != history.direction8 ? state.direction8 : 0;
    state.repeatDirection4 = state.newDirection4;
    state.repeatDirection8 = state.newDirection8;
}

void MapRepeats(InputState& state, const InputHistory& history, const InputSettings& settings) {
    const int frames = std::max(settings.framesPerUpdate, 1);
    const int delay = std::max(settings.repeatDelay / frames, 1);
    const int interval = std::max(settings.repeatInterval / frames, 1);
    state.confirmRepeat = Pulses(state.confirmCount, delay, interval) ? 1 : 0;
    state.cancelRepeat = Pulses(state.cancelCount, delay, interval) ? 1 : 0;
    if (Pulses(history.directionFrames, delay, interval)) {
        state.repeatDirection4 = state.direction4;
        state.repeatDirection8 = state.direction8;
    }
}

void MapFunctionKeys(InputState& state, InputHistory& history) {
    const std::array<std::uint8_t*, 6> held{&state.f4Held, &state.f5Held,  &state.f9Held,
                                            &state.f8Held, &state.f10Held, &state.f12Held};
    const std::array<std::uint8_t*, 6> pressed{&state.f4Pressed,  &state.f5Pressed,
                                               &state.f9Pressed,  &state.f8Pressed,
                                               &state.f10Pressed, &state.f12Pressed};
    for (std::size_t key = 0; key < kFunctionKeys.size(); ++key) {
        *held[key] = Key(state.keys, kFunctionKeys[key]);
        *pressed[key] = Flag(*held[key] != 0 && history.functionKeys[key] == 0);
        history.functionKeys[key] = *held[key];
    }
}

}  // namespace

InputMappingResult MapInput(InputState& state, InputHistory& history, const DeviceInput& devices,
                            const InputSettings& settings, const ReplayKeys* replayed) {
    InputMappingResult result;
    const bool live = replayed == nullptr;
    state.upHeld = state.downHeld = state.leftHeld = state.rightHeld = 0;
    state.keys = devices.keys;
    state.direction8 = state.direction4 = 0;
    if (live && devices.windowActive) {
        state.upHeld = Flag((devices.padBits & kPadUp) != 0);
        state.downHeld = Flag((devices.padBits & kPadDown) != 0);
        state.leftHeld = Flag((devices.padBits & kPadLeft) != 0);
        state.rightHeld = Flag((devices.padBits & kPadRight) != 0);
        MapMouse(state, devices, settings, result);
    } else if (live) {
        // Nothing is held in an inactive window, so a button still down on return is new.
        state.wheel = 0;
        state.mouseButtons = {};
        state.mouseButtonsPressed = {};
        state.prevMouseButtons = {};
    }
    if (live) {
        MapModifiers(state, history, devices);
    } else {
        state.ctrlHeld = state.shiftHeld = 0;
    }
    MapDecisionKeys(state, history, devices, settings, !live);
    if (live) {
        state.confirmHeld = state.liveConfirm;
        state.cancelHeld = state.liveCancel;
        state.subHeld = state.liveSub;
        state.fourthHeld = state.liveFourth;
        result.live = {state.upHeld,      state.downHeld,   state.leftHeld, state.rightHeld,
                       state.confirmHeld, state.cancelHeld, state.subHeld,  state.fourthHeld};
    } else {
        state.upHeld = replayed->up;
        state.downHeld = replayed->down;
        state.leftHeld = replayed->left;
        state.rightHeld = replayed->right;
        state.confirmHeld = replayed->confirm;
        state.cancelHeld = replayed->cancel;
        state.subHeld = replayed->sub;
        state.fourthHeld = replayed->fourth;
    }
    state.confirmPressed = Flag(state.confirmHeld != 0 && history.held.confirm == 0);
    state.cancelPressed = Flag(state.cancelHeld != 0 && history.held.cancel == 0);
    state.subPressed = Flag(state.subHeld != 0 && history.held.sub == 0);
    state.fourthPressed = Flag(state.fourthHeld != 0 && history.held.fourth == 0);
    state.confirmCount = state.confirmHeld != 0 ? state.confirmCount + 1 : 0;
    state.cancelCount = state.cancelHeld != 0 ? state.cancelCount + 1 : 0;
    MapDirections(state, history);
    MapRepeats(state, history, settings);
    history.held = {state.upHeld,      state.downHeld,   state.leftHeld, state.rightHeld,
                    state.confirmHeld, state.cancelHeld, state.subHeld,  state.fourthHeld};
    history.direction8 = state.direction8;
    MapFunctionKeys(state, history);
    return result;
}

}  // namespace game
