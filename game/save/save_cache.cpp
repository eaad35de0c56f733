#include "game/save/save_cache.h"

#include "game/core/format_text.h"
#include "game/core/game_folder.h"

namespace game {

SaveCache TheSaveCache;

void ClearSaveCache() {
    TheSaveCache.States.clear();
    TheSaveCache.Loaded.clear();
    TheSaveCache.Missing.clear();
}

SaveState& CachedSaveState(const std::string& path) {
    auto found = TheSaveCache.States.find(path);
    if (found == TheSaveCache.States.end())
        found = TheSaveCache.States.try_emplace(path).first;
    return found->second;
}

std::optional<std::string> SavePath(int slot, const std::string& prefix) {
    if (LeavesGameFolder(prefix))
        return std::nullopt;
    if (slot == 0)
        return GameFolder + FormatText("\\%s", prefix.c_str());
    return GameFolder + FormatText("\\%s%.2i.sav", prefix.c_str(), slot);
}

}  // namespace game
