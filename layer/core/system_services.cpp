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
