#pragma once

#include <cstddef>

namespace layer {

// The clipboard's text in CP932 (converted from the system's UTF-8; characters CP932 lacks
// become "?"). -1 when the clipboard cannot be opened or holds no text. With a buffer of
// `capacity` bytes the text is copied, cut at the last whole character that fits, and 0 is
// returned; without one (null) the result is the size of the text with its terminator + 1,
// enough for the copy that follows.
int GetClipboardText(char* buffer, std::size_t capacity);
// Puts the CP932 text on the clipboard in place of what it held: 0, or -1 when the clipboard
// cannot be opened.
int SetClipboardText(const char* text);

}  // namespace layer
