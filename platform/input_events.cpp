#include "platform/input_events.h"

#include <SDL.h>

#include <bitset>
#include <mutex>
#include <set>
#include <utility>

#include "platform/key_codes.h"

namespace platform {
namespace {

// SDL numbers the buttons left, middle, right; the layer wants left, right, middle.
constexpr std::pair<int, int> kButtonBits[] = {
    {SDL_BUTTON_LEFT, 0},
    {SDL_BUTTON_RIGHT, 1},
    {SDL_BUTTON_MIDDLE, 2},
    {SDL_BUTTON_X1, 3},
    {SDL_BUTTON_X2, 4},
    {6, 5},
    {7, 6},
    {8, 7},
};

struct FollowedEvents {
    std::mutex mutex;
    bool started = false;
    std::bitset<SDL_NUM_SCANCODES> keys;
    std::uint32_t sdl_buttons = 0;
    bool keyboard_notice = false;
    std::set<int> joypad_notices;
};

FollowedEvents followed;

void FollowKey(const SDL_KeyboardEvent& key) {
    if (key.keysym.scancode >= 0 && key.keysym.scancode < SDL_NUM_SCANCODES) {
        followed.keys[key.keysym.scancode] = key.state == SDL_PRESSED;
    }
    followed.keyboard_notice = true;
}

void FollowButton(const SDL_MouseButtonEvent& button) {
    if (button.button < 1 || button.button > 32) {
        return;
    }
    const std::uint32_t bit = SDL_BUTTON(button.button);
    followed.sdl_buttons =
        button.state == SDL_PRESSED ? followed.sdl_buttons | bit : followed.sdl_buttons & ~bit;
}

// Runs on the thread that pushes the event.
int Follow(void*, SDL_Event* event) {
    std::lock_guard lock(followed.mutex);
    switch (event->type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            FollowKey(event->key);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            FollowButton(event->button);
            break;
        case SDL_JOYAXISMOTION:
        case SDL_JOYHATMOTION:
        case SDL_JOYBALLMOTION:
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            // Every joystick event keeps its instance id at the same place.
            followed.joypad_notices.insert(event->jaxis.which);
            break;
        default:
            break;
    }
    return 1;
}

}  // namespace

void StartInputEvents() {
    {
        std::lock_guard lock(followed.mutex);
        if (followed.started) {
            return;
        }
        followed.keys.reset();
        followed.sdl_buttons = 0;
        followed.keyboard_notice = false;
        followed.joypad_notices.clear();
        followed.started = true;
    }
    // Outside our lock: SDL calls the watch with its own lock held, so taking them in the
    // other order here could deadlock against an event pushed from another thread.
    SDL_AddEventWatch(Follow, nullptr);
}

void EndInputEvents() {
    {
        std::lock_guard lock(followed.mutex);
        if (!followed.started) {
            return;
        }
        followed.started = false;
    }
    SDL_DelEventWatch(Follow, nullptr);
}

bool IsShiftHeld() {
    constexpr int kLeftShiftKey = 0x2A;
    constexpr int kRightShiftKey = 0x36;
    const std::array<std::uint8_t, 256> keys = ReadKeyboard();
    return (keys[kLeftShiftKey] & 0x80) != 0 || (keys[kRightShiftKey] & 0x80) != 0;
}

std::array<std::uint8_t, 256> ReadKeyboard() {
    int count = 0;
    const Uint8* device = SDL_GetKeyboardState(&count);
    std::array<std::uint8_t, 256> state{};
    std::lock_guard lock(followed.mutex);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const bool down = (scancode < count && device[scancode] != 0) || followed.keys[scancode];
        const std::uint8_t code = KeyCodeFromScancode(static_cast<SDL_Scancode>(scancode));
        if (down && code != 0) {
            state[code] = 0x80;
        }
    }
    return state;
}

bool TakeKeyboardNotice() {
    std::lock_guard lock(followed.mutex);
    return std::exchange(followed.keyboard_notice, false);
}

bool TakeJoypadNotice(int instance_id) {
    std::lock_guard lock(followed.mutex);
    return followed.joypad_notices.erase(instance_id) != 0;
}

std::uint32_t ReadMouseButtons() {
    std::uint32_t sdl_buttons = SDL_GetMouseState(nullptr, nullptr);
    {
        std::lock_guard lock(followed.mutex);
        sdl_buttons |= followed.sdl_buttons;
    }
    std::uint32_t buttons = 0;
    for (const auto& [button, bit] : kButtonBits) {
        if ((sdl_buttons & SDL_BUTTON(button)) != 0) {
            buttons |= 1u << bit;
        }
    }
    return buttons;
}

}  // namespace platform
