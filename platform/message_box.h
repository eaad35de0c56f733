#pragma once

#include <string_view>

namespace platform {

enum class MessageBoxButtons { kOk, kOkCancel };
enum class MessageBoxResult { kOk, kCancel };

// Shows a modal box with CP932 text and caption and waits for a button. Both texts are
// copied to stderr in UTF-8 first. The box is skipped, answering OK, under
// QVARN_AUTO_CONFIRM=1, on the dummy or offscreen video driver, or when no box can be shown.
MessageBoxResult ShowMessageBox(std::string_view text, std::string_view caption,
                                MessageBoxButtons buttons);

}  // namespace platform
