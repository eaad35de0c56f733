// Glyph codes to Unicode, one character at a time.
#include <cerrno>

#include "platform/fonts/freetype_font.h"

namespace platform {
namespace {

constexpr unsigned kBackslash = 0x5C;
constexpr char32_t kYenSign = 0xA5;

}  // namespace

std::optional<char32_t> GlyphCodeToUnicode(const FreeTypeFont& font, unsigned code) {
    if (code == kBackslash) {
        return font.yen_for_backslash ? kYenSign : char32_t{kBackslash};
    }
    char bytes[2];
    std::size_t length = 0;
    if (code > 0xFF) {
        bytes[length++] = static_cast<char>(code >> 8);
    }
    bytes[length++] = static_cast<char>(code & 0xFF);

    char32_t unicode = 0;
    char* in = bytes;
    char* out = reinterpret_cast<char*>(&unicode);
    std::size_t out_left = sizeof unicode;
    iconv(font.converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(font.converter, &in, &length, &out, &out_left) == static_cast<std::size_t>(-1) ||
        length != 0 || out_left != 0) {
        return std::nullopt;
    }
    return unicode;
}

}  // namespace platform
