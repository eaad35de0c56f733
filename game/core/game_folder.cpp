#include "game/core/game_folder.h"

#include "layer/core/layer_api.h"

namespace game {

std::string GameFolder;

std::string GetExeDirectory() {
    if (GameFolder.empty() || layer::EndsWithPathSeparator(GameFolder.c_str()) == 1)
        return GameFolder;
    return GameFolder + "\\";
}

bool LeavesGameFolder(const std::string& name) {
    return name.find(':') != std::string::npos || name.find("..") != std::string::npos ||
           name.starts_with('\\') || name.starts_with('/');
}

}  // namespace game
