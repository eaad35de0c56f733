// Window-system events become the messages of the window procedure, in the order a
// desktop window system delivers its own: activation, placement, keys then characters.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/key_codes.h"
#include "platform/message_queue.h"
#include "platform/quit_signals.h"
#include "platform/sdl_main_window.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

bool composing = false;

Message Make(MessageKind kind) {
    Message message;
    message.kind = kind;
    return message;
}

void PostActivation(int active, int minimized) {
    Message app = Make(MessageKind::kActivateApp);
    app.active = active;
    PostWindowMessage(app);
    Message activate = Make(MessageKind::kActivate);
    activate.active = active;
    activate.minimized = minimized;
    PostWindowMessage(activate);
}

bool IsMinimized(SDL_Window* window) {
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}

void OnWindowEvent(const SDL_WindowEvent& event, SDL_Window* window) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PostWindowMessage(Make(MessageKind::kClose));
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PostActivation(1, IsMinimized(window) ? 1 : 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PostActivation(0, IsMinimized(window) ? 1 : 0);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            PostActivation(0, 1);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            PostActivation(1, 0);
            break;
        case SDL_WINDOWEVENT_MOVED: {
            Message move = Make(MessageKind::kMove);
            move.x = event.data1;
            move.y = event.data2;
            PostWindowMessage(move);
            break;
        }
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            Message size = Make(MessageKind::kSize);
            size.width = event.data1;
            size.height = event.data2;
            size.size_kind = IsMinimized(window) ? SizeKind::kMinimized : SizeKind::kRestored;
            PostWindowMessage(size);
            break;
        }
        case SDL_WINDOWEVENT_EXPOSED: {
            Message paint = Make(MessageKind::kPaint);
            SDL_GetWindowSize(window, &paint.width, &paint.height);
            PostWindowMessage(paint);
            break;
        }
        default:
            break;
    }
}

// The characters a key gives by itself, as typed on a desktop window system.
constexpr std::array<std::pair<SDL_Keycode, int>, 6> kKeyCharacters{{
    {SDLK_BACKSPACE, 0x08},
    {SDLK_TAB, 0x09},
    {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},
    {SDLK_ESCAPE, 0x1B},
    {SDLK_LEFTBRACKET, 0x1B},  // with Ctrl only
}};

// The control character of a key, 0 when it gives none (printable text arrives as text).
int ControlCharacter(const SDL_Keysym& key) {
    const bool ctrl = (key.mod & KMOD_CTRL) != 0 && (key.mod & KMOD_ALT) == 0;
    if (ctrl && key.sym >= SDLK_a && key.sym <= SDLK_z) {
        return key.sym - SDLK_a + 1;
    }
    for (const auto& [sym, character] : kKeyCharacters) {
        if (sym == key.sym && (sym != SDLK_LEFTBRACKET || ctrl)) {
            return character;
        }
    }
    return 0;
}

void PostCharacter(int byte) {
    Message message = Make(MessageKind::kChar);
    message.character = byte;
    PostWindowMessage(message);
}

// While the input method composes, keys are its own.
void OnKeyDown(const SDL_KeyboardEvent& event) {
    if (composing) {
        return;
    }
    const int key_code = KeyCodeFromScancode(event.keysym.scancode);
    if (key_code != 0) {
        Message message = Make(MessageKind::kKeyDown);
        message.key_code = key_code;
        PostWindowMessage(message);
    }
    const int character = ControlCharacter(event.keysym);
    if (character != 0) {
        PostCharacter(character);
    }
}

int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    return 4;
}

// The CP932 bytes of each character of a UTF-8 text; a character CP932 lacks has none.
std::vector<std::string> Cp932Characters(std::string_view text) {
    std::vector<std::string> characters;
    while (!text.empty()) {
        const std::size_t length =
            std::min<std::size_t>(Utf8SequenceLength(text.front()), text.size());
        characters.push_back(Utf8ToCp932Strict(text.substr(0, length)).value_or(""));
        text.remove_prefix(length);
    }
    return characters;
}

// The bytes of the characters from `first` up to `last` (clamped to the text).
std::string JoinCharacters(const std::vector<std::string>& characters, int first, int last) {
    std::string joined;
    const int end = std::min<int>(last, static_cast<int>(characters.size()));
    for (int i = std::max(first, 0); i < end; ++i) {
        joined += characters[static_cast<std::size_t>(i)];
    }
    return joined;
}

void EndComposition() {
    if (composing) {
        composing = false;
        PostWindowMessage(Make(MessageKind::kImeEndComposition));
    }
}

// A commit ends the composition it came from; should the input method keep composing the
// rest, its next editing event starts a new one.
void OnTextInput(std::string_view text) {
    EndComposition();
    for (const std::string& character : Cp932Characters(text)) {
        for (const char byte : character) {
            PostCharacter(static_cast<unsigned char>(byte));
        }
    }
}

// The composition in CP932, its cursor at the selected part's start and the selected part's
// length, both in CP932 bytes; SDL counts the start and length in characters.
void OnTextEditing(std::string_view utf8, int start, int length) {
    if (utf8.empty()) {
        EndComposition();
        return;
    }
    if (!composing) {
        composing = true;
        PostWindowMessage(Make(MessageKind::kImeStartComposition));
    }
    const std::vector<std::string> characters = Cp932Characters(utf8);
    Message message = Make(MessageKind::kImeComposition);
    message.text = JoinCharacters(characters, 0, static_cast<int>(characters.size()));
    message.cursor = static_cast<int>(JoinCharacters(characters, 0, start).size());
    message.selection_length =
        static_cast<int>(JoinCharacters(characters, start, start + std::max(length, 0)).size());
    PostWindowMessage(message);
}

void OnMouseWheel(const SDL_MouseWheelEvent& event) {
    const int y = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
    if (y == 0) {
        return;
    }
    Message message = Make(MessageKind::kMouseWheel);
    message.wheel = y > 0 ? 1 : -1;
    PostWindowMessage(message);
}

MouseButton ButtonOf(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return MouseButton::kLeft;
        case SDL_BUTTON_RIGHT:
            return MouseButton::kRight;
        case SDL_BUTTON_MIDDLE:
            return MouseButton::kMiddle;
        default:
            return MouseButton::kNone;
    }
}

void OnMouseButton(const SDL_MouseButtonEvent& event) {
    Message message = Make(event.state == SDL_PRESSED ? MessageKind::kMouseButtonDown
                                                      : MessageKind::kMouseButtonUp);
    message.button = ButtonOf(event.button);
    message.x = event.x;
    message.y = event.y;
    if (message.button != MouseButton::kNone) {
        PostWindowMessage(message);
    }
}

void OnMouseMotion(const SDL_MouseMotionEvent& event) {
    Message message = Make(MessageKind::kMouseMove);
    message.x = event.x;
    message.y = event.y;
    PostWindowMessage(message);
}

void Translate(const SDL_Event& event, SDL_Window* window) {
    switch (event.type) {
        case SDL_QUIT:
            PostWindowMessage(Make(MessageKind::kClose));
            break;
        case SDL_WINDOWEVENT:
            OnWindowEvent(event.window, window);
            break;
        case SDL_KEYDOWN:
            OnKeyDown(event.key);
            break;
        case SDL_TEXTINPUT:
            OnTextInput(event.text.text);
            break;
        case SDL_TEXTEDITING:
            OnTextEditing(event.edit.text, event.edit.start, event.edit.length);
            break;
        case SDL_TEXTEDITING_EXT:
            OnTextEditing(event.editExt.text != nullptr ? event.editExt.text : "",
                          event.editExt.start, event.editExt.length);
            SDL_free(event.editExt.text);
            break;
        case SDL_MOUSEWHEEL:
            OnMouseWheel(event.wheel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            OnMouseButton(event.button);
            break;
        case SDL_MOUSEMOTION:
            OnMouseMotion(event.motion);
            break;
        default:
            break;
    }
}

}  // namespace

void ReceiveSystemEvents() {
    SDL_Window* window = CurrentSdlWindow();
    if (window == nullptr) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        Translate(event, window);
    }
    if (TakeQuitSignal()) {
        PostWindowMessage(Make(MessageKind::kClose));
    }
}

}  // namespace platform
