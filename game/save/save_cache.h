#pragma once

#include <map>
#include <optional>
#include <string>

#include "game/save/save_state.h"

namespace game {

// The save slots the save commands act on, kept whole by the full path of their files:
// Loaded says an entry holds what its file holds, Missing that the file could not be opened.
// Looking a path up in Loaded or Missing adds it as false.
class SaveCache {
  public:
    std::map<std::string, SaveState> States;
    std::map<std::string, bool> Loaded;
    std::map<std::string, bool> Missing;
};

extern SaveCache TheSaveCache;

// Empties the cache: every slot is read from its file again.
void ClearSaveCache();

// The cached state of a path, added as a fresh state when absent.
SaveState& CachedSaveState(const std::string& path);

inline constexpr char kDefaultSavePrefix[] = "Save\\SaveData";

// The file of a slot: the game folder, then "\" + prefix + the slot in at least two digits +
// ".sav" (slot 0: "\" + prefix alone). None for a prefix that would leave the game folder.
std::optional<std::string> SavePath(int slot, const std::string& prefix);

}  // namespace game
