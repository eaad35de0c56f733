#include "platform/file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file_hooks.h"
#include "platform/game_path.h"

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kNewFolderMode = 0777;

std::optional<File> OpenDiskFile(const std::optional<std::string>& disk_path, int flags) {
    if (TakeOpenFailure() || !disk_path)
        return std::nullopt;
    const int descriptor = open(disk_path->c_str(), flags | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0)
        return std::nullopt;
    File file(descriptor);
    struct stat status;
    if (fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode))
        return std::nullopt;
    return file;
}

}  // namespace

std::optional<File> OpenFileForRead(std::string_view game_path) {
    return OpenDiskFile(ResolveGamePath(game_path), O_RDONLY);
}

std::optional<File> CreateFileForWrite(std::string_view game_path) {
    return OpenDiskFile(ResolveGamePathForCreate(game_path), O_RDWR | O_CREAT | O_TRUNC);
}

std::optional<File> OpenFileForAppend(std::string_view game_path) {
    return OpenDiskFile(ResolveGamePathForCreate(game_path), O_WRONLY | O_CREAT | O_APPEND);
}

bool RemoveFile(std::string_view game_path) {
    const std::optional<std::string> disk_path = ResolveGamePath(game_path);
    return disk_path && unlink(disk_path->c_str()) == 0;
}

bool RenamePath(std::string_view from_game_path, std::string_view to_game_path) {
    const std::optional<std::string> from = ResolveGamePath(from_game_path);
    if (!from)
        return false;
    const std::optional<std::string> to = ResolveGamePathForCreate(to_game_path);
    return to && rename(from->c_str(), to->c_str()) == 0;
}

bool MakeFolder(std::string_view game_path) {
    const std::optional<std::string> disk_path = ResolveGamePathForCreate(game_path);
    return disk_path && mkdir(disk_path->c_str(), kNewFolderMode) == 0;
}

std::optional<FileStatus> StatPath(std::string_view game_path) {
    const std::optional<std::string> disk_path = ResolveGamePath(game_path);
    struct stat status;
    if (!disk_path || stat(disk_path->c_str(), &status) != 0)
        return std::nullopt;
    FileStatus result;
    result.is_folder = S_ISDIR(status.st_mode);
    result.size = result.is_folder ? 0 : status.st_size;
    result.modified_unix_seconds = status.st_mtim.tv_sec;
    return result;
}

std::string GetCurrentFolder() {
    return DiskPathToGamePath(CurrentDiskFolder());
}

bool SetCurrentFolder(std::string_view game_path) {
    std::optional<std::string> disk_path = ResolveGamePath(game_path);
    struct stat status;
    if (!disk_path || stat(disk_path->c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return false;
    }
    SetCurrentDiskFolder(std::move(*disk_path));
    return true;
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] != '/')
        folder = "/tmp";
    return DiskPathToGamePath(folder);
}

}  // namespace platform
