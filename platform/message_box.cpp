#include "platform/message_box.h"

#include <SDL.h>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/text_encoding.h"

namespace platform {
namespace {

enum ButtonId { kOkButton = 1, kCancelButton = 2 };

bool IsHeadlessDriver(const char* driver) {
    return driver != nullptr &&
           (strcasecmp(driver, "dummy") == 0 || strcasecmp(driver, "offscreen") == 0);
}

bool ShouldAutoConfirm() {
    const char* confirm = std::getenv("QVARN_AUTO_CONFIRM");
    if (confirm != nullptr && std::strcmp(confirm, "1") == 0)
        return true;
    // Before video start-up the driver SDL would pick is the one the environment names.
    const char* driver = SDL_GetCurrentVideoDriver();
    return IsHeadlessDriver(driver != nullptr ? driver : std::getenv("SDL_VIDEODRIVER"));
}

}  // namespace

MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                MessageBoxButtons buttons) {
    const std::string utf8_text = Cp932ToUtf8(text);
    const std::string utf8_caption = Cp932ToUtf8(caption);
    std::fprintf(stderr, "[%s] %s\n", utf8_caption.c_str(), utf8_text.c_str());
    if (ShouldAutoConfirm())
        return MessageBoxResult::kOk;

    const bool with_cancel = buttons == MessageBoxButtons::kOkCancel;
    // With OK alone, escape also answers OK.
    const Uint32 ok_flags = with_cancel ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT
                                        : SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                              SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxButtonData button_data[] = {
        {ok_flags, kOkButton, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancelButton, "Cancel"},
    };
    SDL_MessageBoxData data{};
    data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.title = utf8_caption.c_str();
    data.message = utf8_text.c_str();
    data.numbuttons = with_cancel ? 2 : 1;
    data.buttons = button_data;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        std::fprintf(stderr, "message box unavailable: %s\n", SDL_GetError());
        return MessageBoxResult::kOk;
    }
    // Closing the box without a button counts as the escape button.
    if (pressed == kCancelButton || (pressed < 0 && with_cancel))
        return MessageBoxResult::kCancel;
    return MessageBoxResult::kOk;
}

}  // namespace platform
