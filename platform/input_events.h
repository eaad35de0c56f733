#pragma once

#include <array>
#include <cstdint>

namespace platform {

// Keyboard and mouse-button state as the layer reads it. Besides SDL's own device state, the
// key, button and joystick events that enter SDL's queue are followed as they arrive, so that
// events pushed by a driver or a test count like real ones and a new event is noticed at once.
// Call on the thread that created the window.

// Starts and stops following the events; the followed state starts empty.
void StartInputEvents();
void EndInputEvents();

// The key state indexed by DirectInput-style key code (see key_codes.h): 0x80 = down.
std::array<std::uint8_t, 256> ReadKeyboard();
// True while either Shift key is down.
bool IsShiftHeld();
// True once after a key event arrived.
bool TakeKeyboardNotice();
// True once after an event of the joystick with this instance id arrived.
bool TakeJoypadNotice(int instance_id);

// Held mouse buttons: bit 0 left, 1 right, 2 middle, then the extra buttons from bit 3.
std::uint32_t ReadMouseButtons();

}  // namespace platform
