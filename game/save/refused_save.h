#pragma once

#include <string>

namespace game {

// Called before a save file is replaced: a file there that the loader would refuse (another
// game's title, damaged, not a readable file) is kept beside it under the first free name of
// its name + ".refused-N" (N from 1), never over another file, with one line on stderr naming
// both. A missing file, a folder (which no write replaces) and an acceptable save are left
// as they are. False when a refused file cannot be kept: it must then not be replaced.
bool KeepRefusedSave(const std::string& path);

}  // namespace game
