#include "game/program/leftover_writes.h"

#include <string>

#include "game/core/game_folder.h"
#include "layer/core/layer_api.h"

namespace game {

void RemoveLeftoverWrites() {
    // Without a known game folder, "\Save" would name a folder at the root.
    if (GameFolder.empty())
        return;
    for (const std::string& folder : {GameFolder, GameFolder + "\\Save"})
        layer::RemoveLeftoverWriteFiles(folder.c_str());
}

}  // namespace game
