#pragma once

#include <cstdint>

namespace layer {

// Little-endian fields of the file formats, read and written byte by byte.
inline std::uint16_t ReadLe16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
inline std::uint32_t ReadLe32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline void WriteLe16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void WriteLe32(std::uint8_t* at, std::uint32_t value) {
    WriteLe16(at, value);
    WriteLe16(at + 2, value >> 16);
}

}  // namespace layer
