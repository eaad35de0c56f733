// Window-system events become the messages of the window procedure, in the order a
// desktop window system delivers its own: activation, placement, keys then characters.
#include <SDL.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

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

void OnKeyDown(const SDL_KeyboardEvent& event) {
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

// Each character CP932 can hold arrives as its bytes; the others are dropped.
void OnTextInput(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length =
            std::min<std::size_t>(Utf8SequenceLength(text.front()), text.size());
        const auto converted = Utf8ToCp932Strict(text.substr(0, length));
        if (converted) {
            for (const char byte : *converted) {
                PostCharacter(static_cast<unsigned char>(byte));
            }
        }
        text.remove_prefix(length);
    }
}

// The composition cursor counted in CP932 bytes of the characters before it.
int Cp932CursorOf(std::string_view utf8, int characters) {
    std::size_t offset = 0;
    for (int i = 0; i < characters && offset < utf8.size(); ++i) {
        offset += Utf8SequenceLength(utf8[offset]);
    }
    return static_cast<int>(Utf8ToCp932(utf8.substr(0, std::min(offset, utf8.size()))).size());
}

void OnTextEditing(const SDL_TextEditingEvent& event) {
    const std::string_view utf8 = event.text;
    if (utf8.empty()) {
        if (composing) {
            composing = false;
            PostWindowMessage(Make(MessageKind::kImeEndComposition));
        }
        return;
    }
    if (!composing) {
        composing = true;
        PostWindowMessage(Make(MessageKind::kImeStartComposition));
    }
    Message message = Make(MessageKind::kImeComposition);
    message.text = Utf8ToCp932(utf8);
    message.cursor = Cp932CursorOf(utf8, event.start);
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
            OnTextEditing(event.edit);
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
