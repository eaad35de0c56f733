#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/joypads.h"

namespace layer {

constexpr int kMaxPads = 16;
constexpr int kPadSlots = 32;
constexpr int kKeysPerPadSlot = 4;
constexpr int kFullVibrationPower = 10000;
// The pad bits that the keyboard can add: a slot per bit, each up to four key codes (-1 none).
using KeyToPadTable = std::array<std::array<std::array<int, kKeysPerPadSlot>, kPadSlots>, kMaxPads>;

// A joypad recorded at start-up.
struct PadRecord {
    platform::Joypad* device = nullptr;
    platform::JoypadState state;
    // The millisecond of the last read; -1 before the first.
    int last_poll = -1;
    // 1 when the device takes force feedback: both effects exist then.
    int has_effects = 0;
    // The vibration asked for: power 0..10000, a duration in ms (negative: unlimited) and the
    // time it has run, counted at each service since the last one.
    int vibration_on = 0;
    int vibration_power = kFullVibrationPower;
    int vibration_duration = 0;
    int vibration_elapsed = 0;
    int last_vibration_service = 0;
    // Whether the steady and the periodic effect run on the device now.
    int steady_applied = 0;
    int periodic_applied = 0;
    std::string instance_name;
    std::string product_name;
};

// The keyboard, the mouse buttons and the joypads as the layer reads them.
struct InputDeviceState {
    int started = 0;
    // 1 when the system's joypad support started.
    int joypads_started = 0;
    // The millisecond of the last keyboard read; -1 before the first.
    int last_keyboard_poll = -1;
    // By DirectInput key code; bit 7 set = down.
    std::array<std::uint8_t, 256> key_state{};
    KeyToPadTable key_to_pad{};
    int pad_count = 0;
    std::array<PadRecord, kMaxPads> pads;
    // Set while the window procedure reports F10 held.
    int f10_report = 0;
};

extern InputDeviceState input_devices;

// The gate of every query but the mouse buttons': waits while the window is inactive, then
// starts the input when it is not started and the layer is not quitting. Without a window
// it does nothing, and the queries read an empty state.
void PrepareInputQuery();
// Refreshes the key state, at most once per millisecond unless a key event arrived.
void PollKeyboard();
// Refreshes a recorded pad (index from 0) likewise; -1 when the pad cannot be read (it reads
// neutral then), else 0.
int PollPad(int index);

}  // namespace layer
