#include "platform/joypads.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/text_encoding.h"

namespace platform {
namespace {

constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kAxisZ = 2;
constexpr int kAxisRz = 5;
constexpr std::uint32_t kHatCentred = 0xFFFFFFFFu;
constexpr int kFullStrength = 10000;
// SDL's longest rumble is a little over a minute; a wanted rumble is renewed well before.
constexpr Uint32 kRumbleMilliseconds = 0xFFFF;
constexpr Uint32 kRumbleRenewMilliseconds = 30000;

Uint16 MotorSpeed(int strength) {
    return static_cast<Uint16>(std::clamp(strength, 0, kFullStrength) * 0xFFFF / kFullStrength);
}

constexpr std::pair<Uint8, std::uint32_t> kHatAngles[] = {
    {SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 4500},
    {SDL_HAT_RIGHT, 9000}, {SDL_HAT_RIGHTDOWN, 13500},
    {SDL_HAT_DOWN, 18000}, {SDL_HAT_LEFTDOWN, 22500},
    {SDL_HAT_LEFT, 27000}, {SDL_HAT_LEFTUP, 31500},
};

std::uint32_t HatAngle(Uint8 hat) {
    for (const auto& [position, angle] : kHatAngles) {
        if (position == hat) {
            return angle;
        }
    }
    return kHatCentred;
}

int ReadAxis(SDL_Joystick* joystick, int axis, JoypadAxisSetting setting) {
    if (axis >= SDL_JoystickNumAxes(joystick)) {
        return 0;
    }
    return ScaleJoypadAxis(SDL_JoystickGetAxis(joystick, axis), setting);
}

}  // namespace

struct Joypad {
    SDL_Joystick* joystick = nullptr;
    JoypadAxisSetting setting;
    // The strengths last asked for and when they were sent.
    int steady_strength = 0;
    int periodic_strength = 0;
    Uint32 rumble_sent = 0;
};

bool StartJoypads() {
    return SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

void EndJoypads() {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int CountJoypads() {
    return std::max(SDL_NumJoysticks(), 0);
}

Joypad* OpenJoypad(int index, JoypadAxisSetting setting) {
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        return nullptr;
    }
    return new Joypad{joystick, setting, 0, 0, 0};
}

void CloseJoypad(Joypad* joypad) {
    if (joypad != nullptr) {
        SDL_JoystickClose(joypad->joystick);
        delete joypad;
    }
}

std::string JoypadName(const Joypad* joypad) {
    const char* name = SDL_JoystickName(joypad->joystick);
    return name != nullptr ? Utf8ToCp932(name) : std::string();
}

std::string JoypadPath(const Joypad* joypad) {
    const char* path = SDL_JoystickPath(joypad->joystick);
    return path != nullptr ? Utf8ToCp932(path) : std::string();
}

int JoypadInstanceId(const Joypad* joypad) {
    return SDL_JoystickInstanceID(joypad->joystick);
}

bool ReadJoypad(Joypad* joypad, JoypadState* state) {
    SDL_JoystickUpdate();
    SDL_Joystick* joystick = joypad->joystick;
    if (SDL_JoystickGetAttached(joystick) == SDL_FALSE) {
        return false;
    }
    *state = {};
    state->x = ReadAxis(joystick, kAxisX, joypad->setting);
    state->y = ReadAxis(joystick, kAxisY, joypad->setting);
    state->z = ReadAxis(joystick, kAxisZ, joypad->setting);
    state->rz = ReadAxis(joystick, kAxisRz, joypad->setting);
    const int hats = std::min<int>(SDL_JoystickNumHats(joystick), state->hats.size());
    for (int hat = 0; hat < hats; ++hat) {
        state->hats[hat] = HatAngle(SDL_JoystickGetHat(joystick, hat));
    }
    const int buttons = std::min<int>(SDL_JoystickNumButtons(joystick), state->buttons.size());
    for (int button = 0; button < buttons; ++button) {
        state->buttons[button] = SDL_JoystickGetButton(joystick, button) != 0 ? 0x80 : 0;
    }
    return true;
}

bool JoypadCanRumble(const Joypad* joypad) {
    return SDL_JoystickHasRumble(joypad->joystick) == SDL_TRUE;
}

bool RumbleJoypad(Joypad* joypad, int steady_strength, int periodic_strength) {
    joypad->steady_strength = steady_strength;
    joypad->periodic_strength = periodic_strength;
    joypad->rumble_sent = SDL_GetTicks();
    const Uint16 low = MotorSpeed(steady_strength);
    const Uint16 high = MotorSpeed(periodic_strength);
    return SDL_JoystickRumble(joypad->joystick, low, high,
                              low != 0 || high != 0 ? kRumbleMilliseconds : 0) == 0;
}

void KeepJoypadRumbling(Joypad* joypad) {
    const bool moving = joypad->steady_strength > 0 || joypad->periodic_strength > 0;
    if (moving && SDL_GetTicks() - joypad->rumble_sent >= kRumbleRenewMilliseconds) {
        RumbleJoypad(joypad, joypad->steady_strength, joypad->periodic_strength);
    }
}

int ScaleJoypadAxis(int value, JoypadAxisSetting setting) {
    const int full = value < 0 ? 32768 : 32767;
    const int magnitude = std::min(std::abs(value), full);
    const int dead = full * setting.dead_zone / 10000;
    if (magnitude <= dead) {
        return 0;
    }
    const int scaled = (magnitude - dead) * setting.range / (full - dead);
    return value < 0 ? -scaled : scaled;
}

}  // namespace platform
