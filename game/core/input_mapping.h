#pragma once

#include <array>
#include <cstdint>

#include "game/core/input_state.h"

namespace game {

// What the devices report for one frame.
struct DeviceInput {
    bool windowActive = true;
    // 1 per key held, by key code.
    std::array<std::uint8_t, 256> keys{};
    // Pad 1 with the keyboard keys mapped onto it.
    int padBits = 0;
    // Screen pixels, before the game's corrections.
    int mouseX = 0;
    int mouseY = 0;
    // Bit 0 left, 1 right, 2 middle.
    int mouseButtons = 0;
    int wheel = 0;
    double windowScale = 1.0;
};

// The settings the mapping follows.
struct InputSettings {
    // Keyboard codes (100 + key code) and pad bits of confirm, cancel and sub.
    std::array<int, 3> keys{144, 145, 146};
    std::array<int, 3> padMasks{16, 32, 64};
    // In frames at 60 Hz.
    int repeatDelay = 16;
    int repeatInterval = 5;
    int framesPerUpdate = 1;
    int tileSize = 32;
    int zoom = 1;
    // 0 when the game hides the mouse cursor over the game area.
    bool mouseCursorShown = true;
};

// The eight held flags a replay records and plays back.
struct ReplayKeys {
    std::uint8_t up = 0, down = 0, left = 0, right = 0;
    std::uint8_t confirm = 0, cancel = 0, sub = 0, fourth = 0;

    friend bool operator==(const ReplayKeys&, const ReplayKeys&) = default;
};

// What is kept between frames beside the input state, for the newly-pressed flags, the
// new diagonal and the direction's repeat.
struct InputHistory {
    ReplayKeys held;
    std::uint8_t ctrl = 0, shift = 0, print = 0;
    std::uint8_t liveConfirm = 0, liveCancel = 0, liveSub = 0, liveFourth = 0;
    std::array<std::uint8_t, 6> functionKeys{};
    int direction8 = 0;
    int directionFrames = 0;
};

enum class CursorRequest { kNone, kShow, kHide };

struct InputMappingResult {
    // The held flags of a live frame, for the replay recorder.
    ReplayKeys live;
    // Shows the system cursor while the pointer is above the game area.
    CursorRequest cursor = CursorRequest::kNone;
};

// One frame of input. `replayed` is null in live play; during a replay it holds the frame's
// recorded flags, the directions and decisions come from it and the devices only give the
// live decision keys (for the replay's speed keys).
InputMappingResult MapInput(InputState& inputState, InputHistory& history,
                            const DeviceInput& devices, const InputSettings& settings,
                            const ReplayKeys* replayed);

}  // namespace game
