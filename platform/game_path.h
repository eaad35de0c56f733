#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Game-side paths are CP932 bytes separated by "\" or "/" (never the 0x5C second byte of a
// two-byte character); doubled separators and "." are skipped, ".." goes up one folder, a
// leading separator starts at the root and any other path at the current folder. Each name is
// looked up in its folder on disk as its UTF-8 form ("&#xHHHH;" escapes decoded), then as its
// raw bytes, then case-insensitively (ASCII letters only). Disk paths are absolute and
// "/"-separated. Thread-safe.

// The disk path of the existing file or folder the game path names, or nullopt.
std::optional<std::string> ResolveGamePath(std::string_view game_path);

// The disk path at which to create what the game path names: its folder must exist; an entry
// already there under a name that matches case-insensitively is reused, else the last name is
// given its UTF-8 form (its raw bytes when it is not CP932). nullopt when the folder is missing
// or the path ends in no name (empty, the root, ".").
std::optional<std::string> ResolveGamePathForCreate(std::string_view game_path);

// The game form of an absolute disk path: "\" and the shown names (DisplayName) joined by "\".
std::string DiskPathToGamePath(std::string_view disk_path);

// The folder relative game paths start from, as a disk path; initially the process's working
// folder. Setting it does not change the process's working folder.
std::string CurrentDiskFolder();
void SetCurrentDiskFolder(std::string disk_folder);

// The disk path of `name` inside the disk folder `folder`.
std::string JoinDiskPath(std::string_view folder, std::string_view name);

}  // namespace platform
