#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "game/interpreter/key_config.h"
#include "game/interpreter/key_config_texts.h"
#include "game/interpreter/main_interpreter.h"

namespace game {
namespace {

constexpr std::pair<int, const char*> kKeyNames[] = {
    {1, "ESC"},
    {11, "0"},
    {12, "-"},
    {14, "BS"},
    {15, "TAB"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {25, "P"},
    {26, "["},
    {27, "]"},
    {28, "Enter"},
    {29, kLeftCtrlName},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, kSemicolonName},
    {42, kLeftShiftName},
    {43, "\\"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, kCommaName},
    {52, "."},
    {53, "/"},
    {54, kRightShiftName},
    {56, kLeftAltName},
    {57, "SPACE"},
    {58, "Caps"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {70, "Scroll"},
    {87, "F11"},
    {88, "F12"},
    {125, "\\"},
    {144, "^"},
    {145, "@"},
    {146, kColonName},
    {157, kRightCtrlName},
    {184, kRightAltName},
    {197, "Pause"},
    {199, "HOME"},
    {200, kUpName},
    {201, "PageUp"},
    {203, kLeftName},
    {205, kRightName},
    {207, "END"},
    {208, kDownName},
    {209, "PageDown"},
    {211, "DEL"},
};

constexpr int kFirstPadCode = 301;
constexpr int kLastPadCode = 315;
constexpr int kFirstPadBit = 0x10;

std::array<int*, 3> Entries(MainInterpreter& interpreter, bool keyboard) {
    if (keyboard) {
        return {&interpreter.ConfirmKey, &interpreter.CancelKey, &interpreter.SubKey};
    }
    return {&interpreter.ConfirmPadMask, &interpreter.CancelPadMask, &interpreter.SubPadMask};
}

std::array<int, 3> Values(const MainInterpreter& interpreter, bool keyboard) {
    if (keyboard) {
        return {interpreter.ConfirmKey, interpreter.CancelKey, interpreter.SubKey};
    }
    return {interpreter.ConfirmPadMask, interpreter.CancelPadMask, interpreter.SubPadMask};
}

// The button number (0 to 14) of a single pad bit, -1 for anything else.
int ButtonOfBit(int bit) {
    for (int button = 0; button <= kLastPadCode - kFirstPadCode; ++button) {
        if (bit == kFirstPadBit << button) {
            return button;
        }
    }
    return -1;
}

bool IsAction(int action) {
    return action >= 0 && action <= 2;
}

}  // namespace

void SetKeyConfig(int code, int action, bool keyboard, MainInterpreter& interpreter) {
    if (!IsAction(action)) {
        return;
    }
    int value = code;
    if (!keyboard && code >= kFirstPadCode && code <= kLastPadCode) {
        value = kFirstPadBit << (code - kFirstPadCode);
    }
    const std::array<int*, 3> entries = Entries(interpreter, keyboard);
    for (int other = 0; other < 3; ++other) {
        if (other != action && *entries[other] == value) {
            *entries[other] = *entries[action];
        }
    }
    *entries[action] = value;
}

void SetKeyConfig(int code, int action, bool keyboard) {
    SetKeyConfig(code, action, keyboard, TheMainInterpreter);
}

int GetKeyConfig(int action, bool keyboard, const MainInterpreter& interpreter) {
    if (!IsAction(action)) {
        return 0;
    }
    const int value = Values(interpreter, keyboard)[action];
    if (keyboard) {
        return value;
    }
    const int button = ButtonOfBit(value);
    return button < 0 ? 0 : kFirstPadCode + button;
}

int GetKeyConfig(int action, bool keyboard) {
    return GetKeyConfig(action, keyboard, TheMainInterpreter);
}

void GetKeyName(std::string& text, int action, bool keyboard) {
    text.clear();
    if (!IsAction(action)) {
        return;
    }
    const int value = Values(TheMainInterpreter, keyboard)[action];
    if (keyboard) {
        GetKeyNameText(text, value - 100);
        return;
    }
    const int button = ButtonOfBit(value);
    if (button >= 0) {
        char name[16];
        std::snprintf(name, sizeof(name), kButtonFormat, button + 1);
        text = name;
    }
}

void GetKeyNameText(std::string& text, int keyCode) {
    text.clear();
    if (keyCode >= 2 && keyCode <= 10) {
        text = static_cast<char>(keyCode + 47);
        return;
    }
    const auto* found = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                     [&](const auto& entry) { return entry.first == keyCode; });
    if (found != std::end(kKeyNames)) {
        text = found->second;
    }
}

}  // namespace game
