#pragma once

#include <string>

namespace game {

// The folder of the game's data files, relative to the game folder, with its separator.
inline const std::string kDataFolder = "Data\\";

}  // namespace game
