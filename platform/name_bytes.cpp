#include "platform/name_bytes.h"

#include <cstdint>

namespace platform {
namespace {

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Smallest code point each sequence length may encode, so overlong forms are refused.
constexpr std::uint32_t kMinimumForLength[5] = {0, 0, 0x80, 0x800, 0x10000};

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        std::uint32_t value;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3F);
        }
        if (value < kMinimumForLength[length] || value > 0x10FFFF ||
            (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string FoldCp932(std::string_view cp932) {
    std::string folded(cp932);
    for (std::size_t i = 0; i < folded.size();) {
        const std::size_t length = Cp932CharLength(folded, i);
        if (length == 1)
            folded[i] = UpperAscii(folded[i]);
        i += length;
    }
    return folded;
}

std::string FoldDiskName(std::string_view name) {
    if (!IsValidUtf8(name))
        return FoldCp932(name);
    std::string folded(name);
    for (char& c : folded)
        c = UpperAscii(c);
    return folded;
}

}  // namespace platform
