// The polls of the key-input command over this frame's keys and pad 1.
#include <algorithm>
#include <iterator>

#include "game/core/input_state.h"
#include "game/interpreter/key_config.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// Esc, Backspace, Enter, both Shifts, Space and Caps Lock are left to the game's own use.
constexpr int kSkippedKeys[] = {1, 14, 28, 42, 54, 57, 58};
constexpr int kFirstScannedKey = 2;
constexpr int kLastScannedKey = 124;
constexpr int kRightCtrl = 157;
constexpr int kPadOneWithKeyboard = 0x1001;
constexpr int kFirstPadCode = 301;
constexpr int kLastPadCode = 315;

bool Skipped(int key) {
    return std::find(std::begin(kSkippedKeys), std::end(kSkippedKeys), key) !=
           std::end(kSkippedKeys);
}

int PadBitOf(int code) {
    return 0x10 << (code - kFirstPadCode);
}

}  // namespace

int PollKeyboardCode(bool rememberNew, bool skipRemembered, int& remembered, int code) {
    const auto& keys = TheInputState.keys;
    if (rememberNew) {
        remembered = 0;
    }
    if (code >= 100 && code <= 355) {
        return keys[code - 100] != 0 ? code : 0;
    }
    for (int key = kFirstScannedKey; key <= kLastScannedKey; ++key) {
        if (Skipped(key) || keys[key] == 0) {
            continue;
        }
        if (!rememberNew && !skipRemembered) {
            return 100 + key;
        }
        if (remembered == key) {
            return 0;
        }
        remembered = rememberNew ? key : 0;
        return 100 + key;
    }
    if (keys[kRightCtrl] != 0) {
        return 100 + kRightCtrl;
    }
    remembered = 0;
    return 0;
}

int MatchPadCode(int padBits, bool rememberNew, bool skipRemembered, int& remembered, int code) {
    if (!rememberNew && !skipRemembered) {
        remembered = 0;
    }
    if (code >= kFirstPadCode && code <= kLastPadCode) {
        return (padBits & PadBitOf(code)) != 0 ? code : 0;
    }
    if (code == 300 || (code >= 316 && code <= 320)) {
        return 0;
    }
    for (int found = kFirstPadCode; found <= kLastPadCode; ++found) {
        if ((padBits & PadBitOf(found)) == 0) {
            continue;
        }
        if (found == remembered) {
            return 0;
        }
        remembered = rememberNew ? found : 0;
        return found;
    }
    remembered = 0;
    return 0;
}

int PollPadCode(bool rememberNew, bool skipRemembered, int& remembered, int code) {
    return MatchPadCode(layer::GetPadInputBits(kPadOneWithKeyboard), rememberNew, skipRemembered,
                        remembered, code);
}

}  // namespace game
