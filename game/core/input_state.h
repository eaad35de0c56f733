#pragma once

#include <array>
#include <cstdint>

namespace game {

// The game's view of the keys, pads and mouse for one frame. Bytes are 0 or 1; directions
// are keypad digits (8 up, 2 down, 4 left, 6 right, 7 9 1 3 the diagonals, 0 none).
struct InputState {
    InputState();

    std::array<std::uint8_t, 3> prevMouseButtons{};
    std::uint8_t upHeld = 0, downHeld = 0, leftHeld = 0, rightHeld = 0;
    std::uint8_t ctrlHeld = 0, shiftHeld = 0, ctrlPressed = 0, shiftPressed = 0;
    std::uint8_t upPressed = 0, downPressed = 0, leftPressed = 0, rightPressed = 0;
    // The directions after the last-pressed rule: of two opposite keys held, the later wins.
    std::uint8_t verticalUp = 0, verticalDown = 0, horizontalLeft = 0, horizontalRight = 0;
    // Left, right, middle.
    std::array<std::uint8_t, 3> mouseButtons{};
    std::array<std::uint8_t, 3> mouseButtonsPressed{};
    // In game coordinates.
    int mouseX = 0, mouseY = 0;
    int direction8 = 0, direction4 = 0;
    int newDirection4 = 0;
    int repeatDirection4 = 0;
    int newDirection8 = 0;
    int repeatDirection8 = 0;
    int wheel = 0, mouseDX = 0, mouseDY = 0;
    // The decision keys as the devices give them this frame.
    std::uint8_t liveConfirm = 0, liveCancel = 0, liveSub = 0, liveFourth = 0;
    std::uint8_t liveConfirmPressed = 0, liveCancelPressed = 0, liveSubPressed = 0,
                 liveFourthPressed = 0;
    // The decision keys as the game sees them: live, or replayed.
    std::uint8_t confirmHeld = 0, cancelHeld = 0, subHeld = 0, fourthHeld = 0;
    std::uint8_t confirmPressed = 0, cancelPressed = 0, subPressed = 0, fourthPressed = 0;
    std::uint8_t f4Held = 0, f4Pressed = 0, f5Held = 0, f5Pressed = 0, f9Held = 0, f9Pressed = 0,
                 f8Held = 0, f8Pressed = 0, f10Held = 0, f10Pressed = 0, f12Held = 0,
                 f12Pressed = 0;
    std::uint8_t printHeld = 0, printPressed = 0;
    int prevMouseX = 0, prevMouseY = 0;
    // 1 for each key held, by key code.
    std::array<std::uint8_t, 256> keys{};
    // Repeat pulses of confirm and cancel, and the frames they have been held.
    int confirmRepeat = 0, cancelRepeat = 0;
    int confirmCount = 0, cancelCount = 0;
};

extern InputState TheInputState;

// Clears the wheel, the mouse movement, the repeat pulses and counts, the resolved
// directions, Print Screen and the key table.
void ResetInputState(InputState& inputState);

// Turns the devices into the input state; once per frame and in the waiting loops. Defined in
// game/interpreter: it reads the input settings the main interpreter holds.
void UpdateInput(InputState& inputState);
// The devices alone, neither recorded nor played back, with a history of its own.
void ReadLiveInput(InputState& inputState);

}  // namespace game
