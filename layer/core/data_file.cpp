// The game's file entries: every data file the game reads comes through here.
#include <climits>
#include <cstring>
#include <thread>

#include "layer/core/archive_state.h"
#include "layer/core/double_byte_text.h"
#include "layer/core/file_operation_table.h"
#include "layer/core/layer_api.h"

namespace layer {
namespace {

// Below this a line cannot hold a two-byte character and its terminator.
constexpr int kMinLineCapacity = 3;

bool IsLead(char c) {
    return IsDoubleByteLead(static_cast<unsigned char>(c), kShiftJisCharset);
}

}  // namespace

FileHandle OpenDataFile(const char* path, int asynchronous) {
    return DispatchFileOpen(path, 0, 1, asynchronous != 0 ? 1 : 0);
}

int GetDataFileSize(const char* path) {
    const FileHandle file = DispatchFileOpen(path, 0, 1, 0);
    if (file == 0) {
        return -1;
    }
    DispatchFileSeek(file, 0, 2);
    const std::int64_t size = DispatchFileTell(file);
    DispatchFileClose(file);
    return size >= 0 && size <= INT_MAX ? static_cast<int>(size) : -1;
}

int ReadDataFile(void* buffer, int size, FileHandle file) {
    return DispatchFileRead(buffer, size, 1, file);
}

int CloseDataFile(FileHandle file) {
    return DispatchFileClose(file);
}

int ReadDataFileLine(char* buffer, int capacity, FileHandle file) {
    if (buffer == nullptr || capacity < kMinLineCapacity || DispatchFileEof(file) != 0) {
        return -1;
    }
    const std::int64_t start = DispatchFileTell(file);
    const int got = DispatchFileRead(buffer, 1, capacity - 1, file);
    while (DispatchFileIdle(file) == 0) {
        std::this_thread::yield();
    }
    if (got <= 0) {
        return -1;
    }
    int length = 0;
    while (length < got && buffer[length] != '\0') {
        if (IsLead(buffer[length])) {
            if (length + 1 >= got) {
                DispatchFileSeek(file, start + length, 0);
                break;
            }
            length += 2;
        } else if (buffer[length] == '\r' && length + 1 < got && buffer[length + 1] == '\n') {
            DispatchFileSeek(file, start + length + 2, 0);
            break;
        } else {
            ++length;
        }
    }
    buffer[length] = '\0';
    return length;
}

int EnableArchiveFiles(int flag) {
    SelectArchiveFiles(flag);
    return 0;
}

int ChooseArchiveExtension(const char* extension) {
    return SetArchiveExtension(extension);
}

int ChooseArchiveKey(const char* key) {
    return SetArchiveKeyString(key);
}

int GetRefusedArchivePath(char* buffer, int capacity) {
    const std::string& path = Archives().look_up_refusal;
    if (buffer == nullptr || capacity <= 0 ||
        path.size() + 1 > static_cast<std::size_t>(capacity)) {
        return -1;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return path.empty() ? 0 : static_cast<int>(path.size() + 1);
}

}  // namespace layer
