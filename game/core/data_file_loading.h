#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace game {

// Reads a whole data file through the layer's file functions (archives and case-insensitive
// names included); nothing when it cannot be opened or read whole.
std::optional<std::vector<std::uint8_t>> ReadWholeDataFile(const std::string& path);

}  // namespace game
