#pragma once

#include <cstdint>
#include <limits>

namespace game {

// The widest or tallest map in tiles: a position on it in quarter pixels of the largest tile
// (32 pixels) still fits an i32.
inline constexpr std::int32_t kMaxMapSide = std::numeric_limits<std::int32_t>::max() / (4 * 32);

// Whether a map size read from a file can be taken before its layers are made: each side
// 1..kMaxMapSide and the three layers of 4-byte tiles no more than the `bytesLeft` behind it.
bool StoredMapSizeFits(std::int32_t width, std::int32_t height, std::uint64_t bytesLeft);

}  // namespace game
