#pragma once

#include <cstdint>

namespace layer {

// Saturating add and subtract of three channels in one word operation. The lowest bit of
// green and of red serves as guard for the carry or borrow of the channel below, so those
// two channels are combined on their upper bits only.

// Byte 3 of the result is red's carry.
constexpr std::uint32_t PackedAddSaturate32(std::uint32_t dest, std::uint32_t term) {
    const std::uint32_t sum = (dest & 0x00FEFEFFu) + (term & 0x00FEFEFFu);
    const std::uint32_t carries = sum & 0x01010100u;
    return sum | (carries - (carries >> 8)) | ((dest | term) & 0x00010100u);
}

// Byte 3 of the result is 0.
constexpr std::uint32_t PackedSubSaturate32(std::uint32_t dest, std::uint32_t term) {
    const std::uint32_t difference = (dest | 0x01010100u) - (term & 0xFEFEFEFFu);
    const std::uint32_t guards = difference & 0x01010100u;
    return difference & (guards - (guards >> 8));
}

constexpr std::uint16_t PackedAddSaturate16(std::uint32_t dest, std::uint32_t term) {
    const std::uint32_t sum = (dest & 0xF7DEF7DFu) + (term & 0xF7DEF7DFu);
    const std::uint32_t carries = sum & 0x08210820u;
    return static_cast<std::uint16_t>(sum | (carries - (carries >> 5)) | ((dest | term) & 0x0820u));
}

constexpr std::uint16_t PackedSubSaturate16(std::uint32_t dest, std::uint32_t term) {
    const std::uint32_t difference = (dest | 0x08210820u) - (term & 0xF7DEF7DFu);
    const std::uint32_t guards = difference & 0x08210820u;
    return static_cast<std::uint16_t>(difference & (guards - (guards >> 5)));
}

}  // namespace layer
