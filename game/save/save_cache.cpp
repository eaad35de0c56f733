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
    // The game folder keeps its final separator; one more would show doubled in messages.
    const std::string folder = GetExeDirectory().empty() ? "\\" : GetExeDirectory();
    if (slot == 0)
        return folder + prefix;
    return folder + FormatText("%s%.2i.sav", prefix.c_str(), slot);
}

}  // namespace game
