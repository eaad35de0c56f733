#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DirectoryEntry {
    std::string name;       // as shown to the game (DisplayName), CP932
    std::int64_t size = 0;  // 0 for folders
    bool is_folder = false;
    std::int64_t modified_unix_seconds = 0;
};

// The entries of a folder whose shown names match the wildcard pattern ending the game path
// ("Data\icon???.png"; a bare pattern searches the current folder), under MatchFileWildcard.
// "." and ".." are entries too (".." not in the root). Sorted by name with ASCII letters
// folded. nullopt when the folder is missing or the path ends in a separator; an empty list
// when nothing matches.
std::optional<std::vector<DirectoryEntry>> SearchDirectory(std::string_view game_pattern);

}  // namespace platform
