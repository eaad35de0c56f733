#include "layer/core/clipboard.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "layer/core/double_byte_text.h"
#include "platform/clipboard.h"
#include "platform/text_encoding.h"

namespace layer {

int GetClipboardText(char* buffer, std::size_t capacity) {
    const auto utf8 = platform::ReadClipboardText();
    if (!utf8) {
        return -1;
    }
    const std::string text = platform::Utf8ToCp932(*utf8);
    if (buffer == nullptr) {
        return static_cast<int>(text.size() + 2);
    }
    if (capacity == 0) {
        return 0;
    }
    const std::size_t stored = TrimToCharBoundary(text.data(), std::min(text.size(), capacity - 1));
    std::memcpy(buffer, text.data(), stored);
    buffer[stored] = '\0';
    return 0;
}

int SetClipboardText(const char* text) {
    return platform::WriteClipboardText(platform::Cp932ToUtf8(text)) ? 0 : -1;
}

}  // namespace layer
