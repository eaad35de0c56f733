#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace platform {

// File operations on game paths (CP932, resolved on disk by game_path.h). Failures are
// reported only through the results; nothing throws. Thread-safe.

struct FileStatus {
    std::int64_t size = 0;  // 0 for folders
    std::int64_t modified_unix_seconds = 0;
    bool is_folder = false;
    bool is_regular_file = false;  // neither a folder nor a FIFO, device or socket
};

// Opens an existing file for reading, never waiting; nullopt when it is missing, is no regular
// file (a folder, a FIFO, a device) or cannot be opened.
std::optional<File> OpenFileForRead(std::string_view game_path);

// True when the game path names a regular file: not a folder, a FIFO, a device or a socket.
bool IsRegularFile(std::string_view game_path);

// Creates a file for reading and writing, emptying one already there; its folder must exist.
std::optional<File> CreateFileForWrite(std::string_view game_path);

// Opens a file for writing at its end, creating it when missing; its folder must exist.
std::optional<File> OpenFileForAppend(std::string_view game_path);

// A new empty file with a unique name in the folder of the file `game_path` names, to be
// filled and then put in that file's place (the file found whatever its letter case, or a new
// name). nullopt when the folder is missing or nothing can be created there.
struct ReplacementFile {
    File file;
    std::string disk_path;
    std::string target_disk_path;
};
std::optional<ReplacementFile> CreateReplacementFile(std::string_view game_path);

// Closes the replacement and renames it over its target, then flushes the folder so that the
// new name survives a crash. False when the close or the rename failed; the replacement is
// then still there for DiscardReplacementFile.
bool CommitReplacementFile(ReplacementFile& replacement);

// Closes and removes a replacement that is not to be used.
void DiscardReplacementFile(ReplacementFile& replacement);

// Bytes free for this user on the disk that holds the folder of `game_path`; nullopt when the
// folder is missing or the query fails.
std::optional<std::int64_t> FreeBytesAt(std::string_view game_path);

// Removes a file (not a folder); false when it is missing or cannot be removed.
bool RemoveFile(std::string_view game_path);

// Renames a file or folder, replacing a file already at the target; the target's folder must
// exist. False on failure.
bool RenamePath(std::string_view from_game_path, std::string_view to_game_path);

// Renames a file (or anything but a folder) to a name nothing has yet: what is already there
// under the new name, whatever its letter case, is never replaced.
enum class FreshRename { kRenamed, kNameTaken, kFailed };
FreshRename RenameToFreshName(std::string_view from_game_path, std::string_view to_game_path);

// Removes from a folder the replacement files that a write cut short left behind (regular
// files named as CreateReplacementFile names them, nothing else); the number removed, or
// nullopt when the folder is missing.
std::optional<int> RemoveLeftoverReplacementFiles(std::string_view folder_game_path);

// Makes one folder; false when its parent is missing or something is already there.
bool MakeFolder(std::string_view game_path);

// Size, modification time and kind of a file or folder; nullopt when it is missing.
std::optional<FileStatus> StatPath(std::string_view game_path);

// The current folder in game form ("\" + names joined by "\", as shown to the game).
std::string GetCurrentFolder();

// Makes an existing folder the current folder; false when the path names no folder.
bool SetCurrentFolder(std::string_view game_path);

// The temporary folder ($TMPDIR when it is an absolute path, else /tmp) in game form.
std::string TemporaryFolder();

}  // namespace platform
