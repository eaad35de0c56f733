#pragma once

#include <string>
#include <string_view>

namespace platform {

// Byte-level helpers for names: game names are CP932, names on disk are UTF-8 or, when a
// Shift-JIS archive was unpacked unconverted, raw CP932 bytes.

// True for the first byte of a two-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length in bytes of the CP932 character starting at `index` (2 for a lead byte followed by
// another byte, else 1).
inline std::size_t Cp932CharLength(std::string_view text, std::size_t index) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size() ? 2
                                                                                               : 1;
}

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Upper-cases the ASCII letters of CP932 text; the second byte of a two-byte character is
// never touched (the 0x72 of "ビ" stays).
std::string FoldCp932(std::string_view cp932);

// Upper-cases the ASCII letters of a name on disk: byte by byte when it is UTF-8 (no ASCII
// byte is part of a longer character there), else as CP932.
std::string FoldDiskName(std::string_view name);

}  // namespace platform
