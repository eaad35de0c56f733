// Operating-system services of the game: message boxes, console text and writing files.

#include <cstdio>
#include <optional>
#include <string>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace layer {
namespace {

bool IsValidBlock(const void* data, int size) {
    return size >= 0 && (data != nullptr || size == 0);
}

bool WriteAll(platform::File& file, const void* data, int size) {
    return size == 0 || file.Write(data, static_cast<std::size_t>(size)) == size;
}

}  // namespace

int ShowModalMessageBox(const char* text, const char* caption, int with_cancel) {
    const platform::MessageBoxResult result =
        platform::ShowMessageBox(text != nullptr ? text : "", caption != nullptr ? caption : "",
                                 with_cancel != 0 ? platform::MessageBoxButtons::kOkCancel
                                                  : platform::MessageBoxButtons::kOk);
    return result == platform::MessageBoxResult::kOk ? kMessageBoxOk : kMessageBoxCancel;
}

int PrintConsoleText(const char* text) {
    if (text == nullptr)
        return -1;
    const std::string utf8 = platform::Cp932ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
    return 0;
}

int WriteWholeFile(const char* path, const void* data, int size) {
    if (path == nullptr || !IsValidBlock(data, size))
        return -1;
    std::optional<platform::ReplacementFile> replacement = platform::CreateReplacementFile(path);
    if (!replacement)
        return WriteLogFormat("WriteWholeFile: no file can be created beside %s\n", path);
    if (!WriteAll(replacement->file, data, size) || !replacement->file.Flush() ||
        !platform::CommitReplacementFile(*replacement)) {
        platform::DiscardReplacementFile(*replacement);
        return WriteLogFormat("WriteWholeFile: %s cannot be written\n", path);
    }
    return 0;
}

int RemoveLeftoverWriteFiles(const char* folder) {
    if (folder == nullptr)
        return -1;
    const std::optional<int> removed = platform::RemoveLeftoverReplacementFiles(folder);
    if (!removed)
        return -1;
    if (*removed > 0)
        WriteLogFormat("RemoveLeftoverWriteFiles: %d unfinished files removed from %s\n", *removed,
                       folder);
    return *removed;
}

int GetPathKind(const char* path) {
    const std::optional<platform::FileStatus> status =
        path != nullptr ? platform::StatPath(path) : std::nullopt;
    if (!status)
        return kPathMissing;
    if (status->is_folder)
        return kPathFolder;
    return status->is_regular_file ? kPathFile : kPathOther;
}

int RenameToUnusedName(const char* from, const char* to) {
    if (from == nullptr || to == nullptr)
        return -1;
    switch (platform::RenameToFreshName(from, to)) {
        case platform::FreshRename::kRenamed:
            return 0;
        case platform::FreshRename::kNameTaken:
            return 1;
        case platform::FreshRename::kFailed:
            break;
    }
    return -1;
}

long long GetFreeDiskBytes(const char* path) {
    if (path == nullptr)
        return -1;
    const std::optional<std::int64_t> bytes = platform::FreeBytesAt(path);
    return bytes ? *bytes : -1;
}

int AppendToFile(const char* path, const void* data, int size) {
    if (path == nullptr || !IsValidBlock(data, size))
        return -1;
    std::optional<platform::File> file = platform::OpenFileForAppend(path);
    if (!file || !WriteAll(*file, data, size) || !file->Close()) {
        return WriteLogFormat("AppendToFile: %s cannot be written\n", path);
    }
    return 0;
}

int RemoveFileAtPath(const char* path) {
    return path != nullptr && platform::RemoveFile(path) ? 0 : -1;
}

int MakeFolderAtPath(const char* path) {
    return path != nullptr && platform::MakeFolder(path) ? 0 : -1;
}

int ChangeCurrentFolder(const char* path) {
    return path != nullptr && platform::SetCurrentFolder(path) ? 0 : -1;
}

}  // namespace layer
