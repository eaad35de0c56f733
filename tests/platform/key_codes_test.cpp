#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(KeyCodes, ScancodesGiveDirectInputCodes) {
    const std::pair<SDL_Scancode, int> cases[] = {
        {SDL_SCANCODE_A, 0x1E},
        {SDL_SCANCODE_ESCAPE, 0x01},
        {SDL_SCANCODE_RETURN, 0x1C},
        {SDL_SCANCODE_SPACE, 0x39},
        {SDL_SCANCODE_Z, 0x2C},
        {SDL_SCANCODE_LSHIFT, 0x2A},
        {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_UP, 0xC8},
        {SDL_SCANCODE_DOWN, 0xD0},
        {SDL_SCANCODE_LEFT, 0xCB},
        {SDL_SCANCODE_RIGHT, 0xCD},
        {SDL_SCANCODE_PRINTSCREEN, 0xB7},
        {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_F12, 0x58},
        {SDL_SCANCODE_INTERNATIONAL1, 0x73},
        {SDL_SCANCODE_INTERNATIONAL2, 0x70},
        {SDL_SCANCODE_INTERNATIONAL3, 0x7D},
        {SDL_SCANCODE_INTERNATIONAL4, 0x79},
        {SDL_SCANCODE_INTERNATIONAL5, 0x7B},
        {SDL_SCANCODE_LANG5, 0x94},
        {SDL_SCANCODE_EQUALS, 0x90},
        {SDL_SCANCODE_LEFTBRACKET, 0x91},
        {SDL_SCANCODE_APOSTROPHE, 0x92},
        {SDL_SCANCODE_UNKNOWN, 0},
        {SDL_SCANCODE_F24, 0},
        {SDL_NUM_SCANCODES, 0},
    };
    for (const auto& [scancode, code] : cases) {
        EXPECT_EQ(platform::KeyCodeFromScancode(scancode), code) << "scancode " << scancode;
    }
}

}  // namespace
