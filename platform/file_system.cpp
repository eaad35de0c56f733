#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/file_hooks.h"
#include "platform/game_path.h"

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kNewFolderMode = 0777;
constexpr mode_t kReplacementFileMode = 0644;
// CreateReplacementFile's names: this prefix and the six letters or digits mkostemp picks.
constexpr std::string_view kReplacementPrefix = ".replacement.";
constexpr std::size_t kReplacementUniqueLength = 6;

bool IsAsciiLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsReplacementName(std::string_view name) {
    if (name.size() != kReplacementPrefix.size() + kReplacementUniqueLength ||
        !name.starts_with(kReplacementPrefix))
        return false;
    for (const char c : name.substr(kReplacementPrefix.size())) {
        if (!IsAsciiLetterOrDigit(c))
            return false;
    }
    return true;
}

std::string DiskFolderOf(const std::string& disk_path) {
    const std::size_t slash = disk_path.rfind('/');
    return slash == 0 ? "/" : disk_path.substr(0, slash);
}

// The replacement takes the mode of the file it replaces, else the mode of a new save file.
mode_t ReplacementMode(const std::string& target_disk_path) {
    struct stat status;
    if (stat(target_disk_path.c_str(), &status) == 0)
        return status.st_mode & 07777;
    return kReplacementFileMode;
}

void FlushFolder(const std::string& disk_folder) {
    const int descriptor = open(disk_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}

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
    // Opened without waiting, since a FIFO or a device in place of the file would block the
    // open for ever; anything but a regular file then counts as a file that cannot be read.
    const std::optional<std::string> disk_path = ResolveGamePath(game_path);
    if (TakeOpenFailure() || !disk_path)
        return std::nullopt;
    const int descriptor = open(disk_path->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    File file(descriptor);
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        return std::nullopt;
    return file;
}

bool IsRegularFile(std::string_view game_path) {
    const std::optional<std::string> disk_path = ResolveGamePath(game_path);
    struct stat status;
    return disk_path && stat(disk_path->c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<File> CreateFileForWrite(std::string_view game_path) {
    return OpenDiskFile(ResolveGamePathForCreate(game_path), O_RDWR | O_CREAT | O_TRUNC);
}

std::optional<File> OpenFileForAppend(std::string_view game_path) {
    return OpenDiskFile(ResolveGamePathForCreate(game_path), O_WRONLY | O_CREAT | O_APPEND);
}

std::optional<ReplacementFile> CreateReplacementFile(std::string_view game_path) {
    std::optional<std::string> target = ResolveGamePathForCreate(game_path);
    if (TakeOpenFailure() || !target)
        return std::nullopt;
    const std::string folder = DiskFolderOf(*target);
    std::string name = JoinDiskPath(
        folder, std::string(kReplacementPrefix) + std::string(kReplacementUniqueLength, 'X'));
    const int descriptor = mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    ReplacementFile replacement{File(descriptor), std::move(name), std::move(*target)};
    fchmod(descriptor, ReplacementMode(replacement.target_disk_path));
    return replacement;
}

bool CommitReplacementFile(ReplacementFile& replacement) {
    if (!replacement.file.Close() || TakeRenameFailure() ||
        rename(replacement.disk_path.c_str(), replacement.target_disk_path.c_str()) != 0) {
        return false;
    }
    // The new file is in place whatever this flush gives: a failure here loses nothing.
    FlushFolder(DiskFolderOf(replacement.target_disk_path));
    return true;
}

void DiscardReplacementFile(ReplacementFile& replacement) {
    replacement.file.Close();
    unlink(replacement.disk_path.c_str());
}

std::optional<std::int64_t> FreeBytesAt(std::string_view game_path) {
    const std::optional<std::string> target = ResolveGamePathForCreate(game_path);
    if (!target)
        return std::nullopt;
    if (const long long bytes = FreeBytesForTests(); bytes >= 0)
        return bytes;
    struct statvfs disk;
    if (statvfs(DiskFolderOf(*target).c_str(), &disk) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(disk.f_bavail) * static_cast<std::int64_t>(disk.f_frsize);
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

FreshRename RenameToFreshName(std::string_view from_game_path, std::string_view to_game_path) {
    const std::optional<std::string> from = ResolveGamePath(from_game_path);
    const std::optional<std::string> to = ResolveGamePathForCreate(to_game_path);
    struct stat status;
    if (TakeRenameFailure() || !from || !to || lstat(from->c_str(), &status) != 0 ||
        S_ISDIR(status.st_mode))
        return FreshRename::kFailed;
    if (renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST)
            return FreshRename::kNameTaken;
        if (errno != EINVAL && errno != ENOSYS)
            return FreshRename::kFailed;
        // A file system without the no-replace rename: a hard link refuses a taken name too.
        if (link(from->c_str(), to->c_str()) != 0)
            return errno == EEXIST ? FreshRename::kNameTaken : FreshRename::kFailed;
        unlink(from->c_str());
    }
    FlushFolder(DiskFolderOf(*to));
    return FreshRename::kRenamed;
}

std::optional<int> RemoveLeftoverReplacementFiles(std::string_view folder_game_path) {
    const std::optional<std::string> folder = ResolveGamePath(folder_game_path);
    if (!folder)
        return std::nullopt;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder->c_str()), &closedir);
    if (!listing)
        return std::nullopt;
    int removed = 0;
    while (const dirent* entry = readdir(listing.get())) {
        if (!IsReplacementName(entry->d_name))
            continue;
        const std::string path = JoinDiskPath(*folder, entry->d_name);
        struct stat status;
        if (lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
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
    result.is_regular_file = S_ISREG(status.st_mode);
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
