#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace platform {

// Joypads on SDL's joystick interface. The axes are read the way the layer sets a pad up: a
// range of -range..range and a dead zone (in 1/10000 of the half range) around the centre
// that reads 0, with the rest of the travel stretched over the range. Call on the thread that
// created the window.

struct JoypadState {
    // X, Y, Z and the Z rotation (SDL axes 0, 1, 2 and 5).
    int x = 0;
    int y = 0;
    int z = 0;
    int rz = 0;
    // Hundredths of a degree clockwise from up; 0xFFFFFFFF when centred.
    std::array<std::uint32_t, 4> hats{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    // 0x80 while down, by SDL's button index.
    std::array<std::uint8_t, 32> buttons{};
};

struct JoypadAxisSetting {
    int range = 1000;
    int dead_zone = 2500;
};

struct Joypad;

// Starts SDL's joysticks; false when they cannot be started (there are no joypads then).
bool StartJoypads();
void EndJoypads();
// Joypads attached now.
int CountJoypads();
// Opens the joypad at that place of the attached list; null when it cannot be opened.
Joypad* OpenJoypad(int index, JoypadAxisSetting setting);
void CloseJoypad(Joypad* joypad);
// The name the system gives the device (CP932), and the path it was found at (empty when
// the system gives none).
std::string JoypadName(const Joypad* joypad);
std::string JoypadPath(const Joypad* joypad);
int JoypadInstanceId(const Joypad* joypad);
// Fetches the device's newest state; false when the joypad is gone.
bool ReadJoypad(Joypad* joypad, JoypadState* state);

// Force feedback as rumble. The layer's two effects drive the two motors: the steady one the
// low-frequency motor, the periodic one the high-frequency motor, each with a strength of
// 0..10000 (0 stops it). A rumble lasts until it is changed: SDL ends a rumble after at most a
// minute, so KeepJoypadRumbling renews one that is still wanted.
bool JoypadCanRumble(const Joypad* joypad);
bool RumbleJoypad(Joypad* joypad, int steady_strength, int periodic_strength);
void KeepJoypadRumbling(Joypad* joypad);

// An SDL axis value (-32768..32767) as the setting reads it.
int ScaleJoypadAxis(int value, JoypadAxisSetting setting);

}  // namespace platform
