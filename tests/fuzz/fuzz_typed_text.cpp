// Typed bytes and clipboard texts through the ring into the active key-input string, with
// random options and maxima and Shift held or not. After every service of the ring the text
// must stay within its maximum, hold whole characters only, and keep its cursor, selection and
// draw start on character boundaries inside it.
//
// Input: byte 0 the options (bit 0 Esc cancels, bit 1 single-byte, bit 2 numeric), bytes 1-2
// the maximum (little-endian, modulo 600, minus 8), byte 3 the clipboard text's length and that
// many bytes of it; then chunks, each a header (bits 0-5 the length, bit 6 Shift held, bit 7 the
// input made active again once ended) and its bytes.
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "layer/core/clipboard.h"
#include "layer/core/double_byte_text.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_input.h"
#include "layer/core/text_input_records.h"
#include "layer/core/typed_char_buffer.h"
#include "platform/input_events.h"

namespace {

struct FuzzSetup {
    FuzzSetup() {
        unsetenv("QVARN_AUTO_CONFIRM");
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            std::abort();
        }
        platform::StartInputEvents();
    }
};

void HoldShift(bool held) {
    SDL_Event event{};
    event.type = held ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = held ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = SDL_SCANCODE_LSHIFT;
    SDL_PushEvent(&event);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The text's character starts, its end included; each byte of it is checked on the way.
std::set<int> Boundaries(const layer::TextEditor& editor) {
    std::set<int> starts{0};
    for (int at = 0; at < editor.length;) {
        Check(editor.bytes[at] != '\0');
        at += layer::CharLengthAt(editor.bytes, editor.length, at);
        starts.insert(at);
    }
    return starts;
}

void CheckEditor(const layer::TextEditor& editor) {
    Check(editor.length >= 0 && editor.length <= editor.max_length);
    Check(editor.bytes[editor.length] == '\0');
    Check(layer::TrimToCharBoundary(editor.bytes, static_cast<std::size_t>(editor.length)) ==
          static_cast<std::size_t>(editor.length));
    const std::set<int> starts = Boundaries(editor);
    Check(starts.count(editor.cursor) == 1);
    Check(editor.draw_start >= 0 && editor.draw_start <= editor.length);
    if (layer::HasSelection(editor) != 0) {
        Check(starts.count(editor.anchor) == 1);
        Check(starts.count(editor.selection_end) == 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzSetup setup;
    if (size < 4) {
        return 0;
    }
    const int max_length = (data[1] | data[2] << 8) % 600 - 8;
    std::size_t at = 4;
    const std::size_t clipboard_length = std::min<std::size_t>(data[3], size - at);
    const std::string clipboard(reinterpret_cast<const char*>(data + at), clipboard_length);
    at += clipboard_length;
    layer::SetClipboardText(clipboard.c_str());

    const int handle =
        layer::CreateTextInput(max_length, data[0] & 1, data[0] >> 1 & 1, data[0] >> 2 & 1);
    if (handle == -1) {
        Check(max_length < 0);
        return 0;
    }
    layer::ActivateTextInput(handle);
    const layer::TextEditor& editor = layer::text_input_table.Find(handle)->editor;
    while (at < size) {
        const std::uint8_t header = data[at++];
        const std::size_t end = std::min<std::size_t>(at + (header & 0x3F), size);
        for (; at < end; ++at) {
            layer::PushTypedChar(data[at]);
        }
        HoldShift((header & 0x40) != 0);
        layer::ApplyTypedChars();
        CheckEditor(editor);
        if ((header & 0x80) != 0 && editor.ended != 0) {
            layer::ActivateTextInput(-1);
            layer::ActivateTextInput(handle);
        }
    }
    HoldShift(false);
    layer::DeleteTextInput(handle);
    layer::FlushTypedChars();
    return 0;
}
