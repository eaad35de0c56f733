#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"

namespace layer {
namespace {

constexpr int kKeyboardFlag = 0x1000;
constexpr int kPadButtonBits = 24;
constexpr int kDownBit = 1;
constexpr int kLeftBit = 2;
constexpr int kRightBit = 4;
constexpr int kUpBit = 8;
constexpr int kFirstButtonBit = 4;

int PadDeviceBits(const platform::JoypadState& state) {
    int bits = 0;
    bits |= state.x < 0 ? kLeftBit : 0;
    bits |= state.x > 0 ? kRightBit : 0;
    bits |= state.y < 0 ? kUpBit : 0;
    bits |= state.y > 0 ? kDownBit : 0;
    for (int button = 0; button < kPadButtonBits; ++button) {
        if ((state.buttons[button] & 0x80) != 0) {
            bits |= 1 << (kFirstButtonBit + button);
        }
    }
    return bits;
}

// A row past the table's 16 adds nothing.
int KeyboardBits(int row) {
    if (row < 0 || row >= kMaxPads) {
        return 0;
    }
    int bits = 0;
    for (int slot = 0; slot < kPadSlots; ++slot) {
        for (const int code : input_devices.key_to_pad[row][slot]) {
            if (code >= 0 && (input_devices.key_state[code & 0xFF] & 0x80) != 0) {
                bits |= 1 << slot;
                break;
            }
        }
    }
    return bits;
}

}  // namespace

int ReadPadBits(int pad) {
    PrepareInputQuery();
    const bool with_keyboard = (pad & kKeyboardFlag) != 0;
    const int index = (pad & ~kKeyboardFlag) - 1;
    const int count = input_devices.pad_count;
    if ((index < -1 || index >= count) && count != 0 && !with_keyboard) {
        return 0;
    }
    int bits = 0;
    if (index >= 0 && index < count) {
        PollPad(index);
        bits |= PadDeviceBits(input_devices.pads[index].state);
    }
    if (with_keyboard) {
        PollKeyboard();
        bits |= KeyboardBits(index == -1 ? 0 : index);
    }
    return bits;
}

}  // namespace layer
