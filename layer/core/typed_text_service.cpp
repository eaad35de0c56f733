// The message pump's typed-text service: the characters waiting in the ring go to the active
// key-input string.
#include <cstdlib>
#include <cstring>
#include <string>

#include "layer/core/clipboard.h"
#include "layer/core/double_byte_text.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_input.h"
#include "layer/core/text_input_records.h"
#include "layer/core/typed_char_buffer.h"
#include "platform/input_events.h"

namespace layer {
namespace {

// The clipboard's text is typed in turn, whole characters while the ring has room for them.
// Its control bytes are left out: a pasted line end or escape would end the input, and a
// pasted paste code would paste again without end.
void TypeClipboardText() {
    const int size = GetClipboardText(nullptr, 0);
    if (size <= 0) {
        return;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    GetClipboardText(text.data(), text.size());
    const int length = static_cast<int>(std::strlen(text.c_str()));
    for (int offset = 0; offset < length;) {
        const int size_of_char = CharLengthAt(text.data(), length, offset);
        const auto first = static_cast<unsigned char>(text[static_cast<std::size_t>(offset)]);
        if (size_of_char > TypedCharBufferRoom()) {
            return;
        }
        if (size_of_char == 2 || first >= 0x20) {
            for (int i = 0; i < size_of_char; ++i) {
                PushTypedChar(
                    static_cast<unsigned char>(text[static_cast<std::size_t>(offset + i)]));
            }
        }
        offset += size_of_char;
    }
}

// With QVARN_AUTO_CONFIRM=1 an input ends as confirmed once the ring is empty. The setting is
// read at every service, so that a test can type into a running input with it unset.
bool AutoConfirms() {
    const char* confirm = std::getenv("QVARN_AUTO_CONFIRM");
    return confirm != nullptr && std::strcmp(confirm, "1") == 0;
}

void AutoConfirm(TextEditor& editor) {
    if (!AutoConfirms() || editor.ended != 0 || typed_char_buffer.read != typed_char_buffer.write) {
        return;
    }
    editor.ended = 1;
    const std::string line =
        "qvarn: typed text \"" + std::string(editor.bytes, editor.length) + "\" (confirmed)\n";
    PrintConsoleText(line.c_str());
}

}  // namespace

int ApplyTypedChars() {
    TextInputRecord* record = text_input_table.Find(text_input_state.active);
    if (record == nullptr || record->editor.ended != 0) {
        return 0;
    }
    TextEditor& editor = record->editor;
    unsigned char character[2];
    int shift = -1;
    while (editor.ended == 0) {
        const int length = ReadTypedChar(character, 1);
        if (length == 0) {
            break;
        }
        if (shift == -1) {
            shift = platform::IsShiftHeld() ? 1 : 0;
        }
        const EditResult result = ApplyTypedCharacter(editor, character, length, shift);
        if (result.effect == EditEffect::kCopy) {
            SetClipboardText(result.copied.c_str());
        } else if (result.effect == EditEffect::kPaste) {
            TypeClipboardText();
        }
    }
    AutoConfirm(editor);
    return 0;
}

}  // namespace layer
