#pragma once

#include <cstdint>

// Whole-pixel operations shared by the blits and the polygon renderers. Their low-bit losses
// and carries are part of the renderer's output, so they are kept exactly as they are, on
// 32-bit unsigned words. The saturating forms work on all channels in one word operation: the
// lowest bit of green and of red serves as guard for the carry or borrow of the channel below,
// so those two channels are combined on their upper bits only.

namespace layer {

// B, G, R of two 32-bit pixels added, saturating; X becomes the carry out of R. Without the
// restore the low bits of G and R are lost; with it they are ORed back.
constexpr std::uint32_t PackedAdd32(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t sum = (d & 0x00FEFEFF) + (s & 0x00FEFEFF);
    std::uint32_t c = sum & 0x01010100;
    c = c - (c >> 8);
    return c | sum;
}

constexpr std::uint32_t PackedAdd32Restore(std::uint32_t d, std::uint32_t s) {
    return PackedAdd32(d, s) | ((d | s) & 0x00010100);
}

// B, G, R of s taken from d, a borrowing channel becoming 0; X becomes 0.
constexpr std::uint32_t PackedSub32(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t x = (d | 0x01010100) - (s & 0xFEFEFEFF);
    std::uint32_t c = x & 0x01010100;
    c = c - (c >> 8);
    return c & x;
}

// R5G6B5 pixels in the low 16 bits, as above; only the low 16 bits of each operand count.
constexpr std::uint32_t PackedAdd16(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t sum = (d & 0xF7DF) + (s & 0xF7DF);
    const std::uint32_t c = sum & 0x10820;
    return ((c - (c >> 5)) | sum) & 0xFFFF;
}

constexpr std::uint32_t PackedAdd16Restore(std::uint32_t d, std::uint32_t s) {
    return PackedAdd16(d, s) | ((d | s) & 0x0820);
}

constexpr std::uint32_t PackedSub16(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t x = ((d & 0xFFFF) | 0x10820) - (s & 0xF7DF);
    const std::uint32_t c = x & 0x10820;
    return x & (c - (c >> 5)) & 0xFFFF;
}

// Two R5G6B5 pixels per word, the first in the low half; no restore.
constexpr std::uint32_t PackedAdd16x2(std::uint32_t d, std::uint32_t s) {
    const std::uint64_t wide_sum = std::uint64_t{d & 0xF7DEF7DF} + std::uint64_t{s & 0xF7DEF7DF};
    const auto sum = static_cast<std::uint32_t>(wide_sum);
    const auto carry = static_cast<std::uint32_t>(wide_sum >> 32);
    const std::uint32_t c = sum & 0x08210820;
    return (c - ((c >> 5) | (carry << 27))) | sum;
}

constexpr std::uint32_t PackedSub16x2(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t minuend = d | 0x08210820;
    const std::uint32_t subtrahend = s & 0xF7DEF7DF;
    const std::uint32_t x = minuend - subtrahend;
    const std::uint32_t keep_top = minuend < subtrahend ? 0 : 0xF8000000;
    const std::uint32_t c = x & 0x08210820;
    return x & ((c - (c >> 5)) | keep_top);
}

// Every byte, X included, added or subtracted with saturation at 255 and 0.
constexpr std::uint32_t SaturatingAdd8x4(std::uint32_t d, std::uint32_t s) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = ((d >> shift) & 0xFF) + ((s >> shift) & 0xFF);
        out |= (sum > 0xFF ? 0xFF : sum) << shift;
    }
    return out;
}

constexpr std::uint32_t SaturatingSub8x4(std::uint32_t d, std::uint32_t s) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t a = (d >> shift) & 0xFF;
        const std::uint32_t b = (s >> shift) & 0xFF;
        out |= (a > b ? a - b : 0) << shift;
    }
    return out;
}

// Each channel (s >> 1) + (d >> 1); X becomes 0.
constexpr std::uint32_t Halve32(std::uint32_t d, std::uint32_t s) {
    return ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F);
}

constexpr std::uint32_t Halve16(std::uint32_t d, std::uint32_t s) {
    return ((s >> 1) & 0x7BEF) + ((d >> 1) & 0x7BEF);
}

}  // namespace layer
