#include "layer/core/typed_char_buffer.h"

#include <algorithm>
#include <array>

#include "layer/core/double_byte_text.h"
#include "layer/core/layer_log.h"
#include "layer/core/message_pump.h"
#include "layer/core/typed_char_buffer_texts.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr std::array<unsigned char, 9> kEditingCodes{0x10, 0x1D, 0x1C, 0x1E, 0x1F,
                                                     0x1A, 0x19, 0x17, 0x15};

int Next(int index) {
    return (index + 1) % kTypedCharBufferSize;
}

}  // namespace

TypedCharBuffer typed_char_buffer;

int IsTypedCharBufferFull() {
    return Next(typed_char_buffer.write) == typed_char_buffer.read ? 1 : 0;
}

int TypedCharBufferRoom() {
    const int held = (typed_char_buffer.write - typed_char_buffer.read + kTypedCharBufferSize) %
                     kTypedCharBufferSize;
    return kTypedCharBufferSize - 1 - held;
}

int PushTypedChar(unsigned char byte) {
    if (IsTypedCharBufferFull() != 0) {
        return -1;
    }
    typed_char_buffer.bytes[typed_char_buffer.write] = byte;
    typed_char_buffer.write = Next(typed_char_buffer.write);
    return 0;
}

int IsEditingCode(unsigned char code) {
    return std::find(kEditingCodes.begin(), kEditingCodes.end(), code) != kEditingCodes.end() ? 1
                                                                                              : 0;
}

int ReadTypedChar(unsigned char character[2], int take) {
    const int first = typed_char_buffer.read;
    if (first == typed_char_buffer.write) {
        return 0;
    }
    character[0] = typed_char_buffer.bytes[first];
    int length = 1;
    if (IsEditingCode(character[0]) == 0 &&
        IsDoubleByteLead(character[0], standard_font_settings.charset_index) != 0) {
        const int second = Next(first);
        if (second == typed_char_buffer.write) {
            return 0;
        }
        character[1] = typed_char_buffer.bytes[second];
        length = 2;
    }
    if (take != 0) {
        typed_char_buffer.read = (first + length) % kTypedCharBufferSize;
    }
    return length;
}

int FlushTypedChars() {
    while (RunMessagePump() == 0 && typed_char_buffer.read != typed_char_buffer.write) {
        const unsigned char byte = typed_char_buffer.bytes[typed_char_buffer.read];
        typed_char_buffer.read = Next(typed_char_buffer.read);
        if (byte == 0) {
            break;
        }
        if (byte == 0xFF) {
            WriteLog(kTypedCharErrorText);
        }
    }
    typed_char_buffer.read = 0;
    typed_char_buffer.write = 0;
    return 0;
}

}  // namespace layer
