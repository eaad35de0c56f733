#pragma once

#include <string>

namespace game {

// The game's folder in the game's own path form, chosen at start-up.
extern std::string GameFolder;

// The folder the game runs from, with a trailing backslash (where outside libraries are
// looked for).
std::string GetExeDirectory();

// Names that would reach outside the game folder: drive or stream colons, parent folders and
// absolute paths. An empty name stays inside.
bool LeavesGameFolder(const std::string& name);

}  // namespace game
