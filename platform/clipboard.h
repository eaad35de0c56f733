#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system clipboard in UTF-8, through SDL's video subsystem. Without an initialised video
// subsystem the clipboard cannot be opened; under the dummy driver SDL keeps the text within
// the process, which is what tests round-trip through.

// The clipboard's text; nothing when it cannot be opened or holds no text.
std::optional<std::string> ReadClipboardText();
// False when the clipboard cannot be opened.
bool WriteClipboardText(std::string_view utf8);

}  // namespace platform
