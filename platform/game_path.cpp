#include "platform/game_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/directory_listing_cache.h"
#include "platform/display_name.h"
#include "platform/name_bytes.h"

namespace platform {
namespace {

std::mutex current_folder_mutex;
std::optional<std::string> current_folder;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string ParentDiskPath(std::string_view disk_path) {
    const std::size_t slash = disk_path.rfind('/');
    if (slash == std::string_view::npos || slash == 0)
        return "/";
    return std::string(disk_path.substr(0, slash));
}

// One name of a game path and its UTF-8 form, when it has one.
struct GameName {
    std::string_view cp932;
    std::optional<std::string> utf8;
};

// A game path with "." and ".." applied: a disk folder to start from and the names below it.
struct NormalizedPath {
    std::string base;
    std::vector<GameName> names;
};

std::optional<NormalizedPath> Normalize(std::string_view game_path) {
    if (game_path.empty() || game_path.find('\0') != std::string_view::npos)
        return std::nullopt;
    NormalizedPath path;
    path.base = IsSeparator(game_path[0]) ? "/" : CurrentDiskFolder();
    std::size_t start = 0;
    auto take_name = [&](std::size_t end) {
        const std::string_view name = game_path.substr(start, end - start);
        if (name.empty() || name == ".")
            return;
        if (name != "..") {
            path.names.push_back({name, GameNameToUtf8(name)});
        } else if (!path.names.empty()) {
            path.names.pop_back();
        } else {
            path.base = ParentDiskPath(path.base);
        }
    };
    for (std::size_t i = 0; i < game_path.size();) {
        const std::size_t length = Cp932CharLength(game_path, i);
        if (length == 1 && IsSeparator(game_path[i])) {
            take_name(i);
            start = i + 1;
        }
        i += length;
    }
    take_name(game_path.size());
    return path;
}

// An entry found in a folder: its name on disk and its status.
struct FoundEntry {
    std::string name;
    struct stat status;
};

// Looks one game name up in the disk folder `folder` (whose status is `folder_status`).
std::optional<FoundEntry> FindEntry(const std::string& folder, const struct stat& folder_status,
                                    const GameName& game_name) {
    const std::optional<std::string>& utf8_name = game_name.utf8;
    FoundEntry found;
    if (utf8_name && stat(JoinDiskPath(folder, *utf8_name).c_str(), &found.status) == 0) {
        found.name = *utf8_name;
        return found;
    }
    if ((!utf8_name || *utf8_name != game_name.cp932) &&
        stat(JoinDiskPath(folder, game_name.cp932).c_str(), &found.status) == 0) {
        found.name = game_name.cp932;
        return found;
    }
    const std::string raw_key = FoldCp932(game_name.cp932);
    std::optional<std::string> name =
        utf8_name ? FindFoldedName(folder, folder_status, {FoldDiskName(*utf8_name), raw_key})
                  : FindFoldedName(folder, folder_status, {raw_key});
    if (!name || stat(JoinDiskPath(folder, *name).c_str(), &found.status) != 0) {
        return std::nullopt;
    }
    found.name = std::move(*name);
    return found;
}

// Walks the names below `base`, each but the last having to be a folder. Gives the disk path
// and status of the last one reached.
std::optional<FoundEntry> Walk(const std::string& base, const std::vector<GameName>& names) {
    FoundEntry current;
    current.name = base;
    if (stat(base.c_str(), &current.status) != 0)
        return std::nullopt;
    for (const GameName& name : names) {
        if (!S_ISDIR(current.status.st_mode))
            return std::nullopt;
        std::optional<FoundEntry> next = FindEntry(current.name, current.status, name);
        if (!next)
            return std::nullopt;
        current.name = JoinDiskPath(current.name, next->name);
        current.status = next->status;
    }
    return current;
}

// The disk path when every name is already right as its UTF-8 (or raw) form: one stat.
std::optional<std::string> DirectPath(const NormalizedPath& path) {
    std::string disk_path = path.base;
    for (const GameName& name : path.names) {
        disk_path = JoinDiskPath(disk_path, name.utf8 ? std::string_view(*name.utf8) : name.cp932);
    }
    struct stat status;
    if (stat(disk_path.c_str(), &status) != 0)
        return std::nullopt;
    return disk_path;
}

}  // namespace

std::string JoinDiskPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != '/')
        joined += '/';
    joined += name;
    return joined;
}

std::optional<std::string> ResolveGamePath(std::string_view game_path) {
    const std::optional<NormalizedPath> path = Normalize(game_path);
    if (!path)
        return std::nullopt;
    if (std::optional<std::string> direct = DirectPath(*path))
        return direct;
    std::optional<FoundEntry> found = Walk(path->base, path->names);
    if (!found)
        return std::nullopt;
    return std::move(found->name);
}

std::optional<std::string> ResolveGamePathForCreate(std::string_view game_path) {
    std::optional<NormalizedPath> path = Normalize(game_path);
    if (!path || path->names.empty())
        return std::nullopt;
    const GameName last = std::move(path->names.back());
    path->names.pop_back();
    const std::optional<FoundEntry> folder = Walk(path->base, path->names);
    if (!folder || !S_ISDIR(folder->status.st_mode))
        return std::nullopt;
    if (std::optional<FoundEntry> existing = FindEntry(folder->name, folder->status, last)) {
        return JoinDiskPath(folder->name, existing->name);
    }
    return JoinDiskPath(folder->name, last.utf8 ? std::string_view(*last.utf8) : last.cp932);
}

std::string DiskPathToGamePath(std::string_view disk_path) {
    std::string game_path;
    std::size_t start = 0;
    while (start <= disk_path.size()) {
        std::size_t end = disk_path.find('/', start);
        if (end == std::string_view::npos)
            end = disk_path.size();
        if (end > start) {
            game_path += '\\';
            game_path += DisplayName(disk_path.substr(start, end - start));
        }
        start = end + 1;
    }
    return game_path.empty() ? "\\" : game_path;
}

std::string CurrentDiskFolder() {
    std::lock_guard lock(current_folder_mutex);
    if (!current_folder) {
        char* working = getcwd(nullptr, 0);
        current_folder = working != nullptr ? working : "/";
        free(working);
    }
    return *current_folder;
}

void SetCurrentDiskFolder(std::string disk_folder) {
    std::lock_guard lock(current_folder_mutex);
    current_folder = std::move(disk_folder);
}

}  // namespace platform
