#include "platform/directory_search.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/display_name.h"
#include "platform/game_path.h"
#include "platform/name_bytes.h"
#include "platform/wildcard_match.h"

namespace platform {
namespace {

// Position of the last separator of a CP932 path, walking two-byte characters whole.
std::optional<std::size_t> LastSeparator(std::string_view game_path) {
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < game_path.size();) {
        const std::size_t length = Cp932CharLength(game_path, i);
        if (length == 1 && (game_path[i] == '\\' || game_path[i] == '/'))
            last = i;
        i += length;
    }
    return last;
}

DirectoryEntry EntryOf(std::string name, const std::string& disk_path) {
    struct stat status {};
    if (stat(disk_path.c_str(), &status) != 0)
        lstat(disk_path.c_str(), &status);
    DirectoryEntry entry;
    entry.name = std::move(name);
    entry.is_folder = S_ISDIR(status.st_mode);
    entry.size = entry.is_folder ? 0 : status.st_size;
    entry.modified_unix_seconds = status.st_mtim.tv_sec;
    return entry;
}

}  // namespace

std::optional<std::vector<DirectoryEntry>> SearchDirectory(std::string_view game_pattern) {
    const std::optional<std::size_t> separator = LastSeparator(game_pattern);
    const std::string_view pattern = separator ? game_pattern.substr(*separator + 1) : game_pattern;
    if (pattern.empty())
        return std::nullopt;
    const std::string_view folder_path = !separator        ? std::string_view(".")
                                         : *separator == 0 ? game_pattern.substr(0, 1)
                                                           : game_pattern.substr(0, *separator);
    const std::optional<std::string> folder = ResolveGamePath(folder_path);
    if (!folder)
        return std::nullopt;
    DIR* stream = opendir(folder->c_str());
    if (stream == nullptr)
        return std::nullopt;

    std::vector<DirectoryEntry> entries;
    if (MatchFileWildcard(pattern, "."))
        entries.push_back(EntryOf(".", *folder));
    if (*folder != "/" && MatchFileWildcard(pattern, "..")) {
        entries.push_back(EntryOf("..", JoinDiskPath(*folder, "..")));
    }
    while (const dirent* found = readdir(stream)) {
        const std::string_view disk_name = found->d_name;
        if (disk_name == "." || disk_name == "..")
            continue;
        std::string name = DisplayName(disk_name);
        if (MatchFileWildcard(pattern, name)) {
            entries.push_back(EntryOf(std::move(name), JoinDiskPath(*folder, disk_name)));
        }
    }
    closedir(stream);

    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        const std::string folded_a = FoldCp932(a.name);
        const std::string folded_b = FoldCp932(b.name);
        return folded_a != folded_b ? folded_a < folded_b : a.name < b.name;
    });
    return entries;
}

}  // namespace platform
