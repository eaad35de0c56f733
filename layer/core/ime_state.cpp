// The composition as the window system's text-editing events report it.
#include <algorithm>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/ime.h"
#include "platform/window.h"

namespace layer {
namespace {

using platform::Message;
using platform::MessageKind;

void ClearComposition() {
    ime_state.composing = 0;
    ime_state.composition[0] = '\0';
    ime_state.cursor = 0;
    ime_state.clause_count = 0;
}

void AddClauseOffset(int offset) {
    if (ime_state.clause_count == 0 ||
        ime_state.clause_offsets[ime_state.clause_count - 1] != offset) {
        ime_state.clause_offsets[ime_state.clause_count++] = offset;
    }
}

// The window system gives only the selected part: the text before it, the part itself and
// the text after it are a clause each. Without a selected part the whole text is one clause.
void SetClauses(int start, int selected, int end) {
    ime_state.clause_count = 0;
    AddClauseOffset(0);
    if (selected > 0) {
        AddClauseOffset(start);
        AddClauseOffset(std::min(start + selected, end));
    }
    AddClauseOffset(end);
}

void OnComposition(const Message& message) {
    const int length = static_cast<int>(TrimToCharBoundary(
        message.text.data(), std::min<std::size_t>(message.text.size(), kCompositionBytes - 1)));
    std::memcpy(ime_state.composition, message.text.data(), static_cast<std::size_t>(length));
    ime_state.composition[length] = '\0';
    const int start = std::clamp(message.cursor, 0, length);
    ime_state.cursor = CountCharsInBytes(ime_state.composition, length, start);
    SetClauses(start, message.selection_length, length);
}

}  // namespace

ImeState ime_state;

int EnableIme(int on) {
    const int enabled = on != 0 ? 1 : 0;
    if (enabled == ime_state.enabled) {
        return 0;
    }
    platform::SetTextInputEnabled(enabled != 0);
    ime_state.enabled = enabled;
    ime_state.input_rect = {};
    if (enabled == 0) {
        ClearComposition();
    }
    return 0;
}

int HandleImeMessage(const Message& message) {
    switch (message.kind) {
        case MessageKind::kImeStartComposition:
            ime_state.composing = 1;
            ime_state.cursor = 0;
            break;
        case MessageKind::kImeComposition:
            OnComposition(message);
            break;
        case MessageKind::kImeEndComposition:
            ClearComposition();
            break;
        default:
            break;
    }
    return 0;
}

int IsImeSwitchedOn() {
    return ime_state.enabled;
}

int IsImeOpen() {
    return ime_state.enabled;
}

int StartImeRestore() {
    ClearComposition();
    return 0;
}

}  // namespace layer
