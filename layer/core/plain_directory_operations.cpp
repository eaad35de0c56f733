#include "layer/core/plain_directory_operations.h"

#include <array>
#include <vector>

#include "layer/core/tracked_object.h"
#include "platform/directory_search.h"
#include "platform/file_system.h"

namespace layer {
namespace {

struct PlainSearch {
    std::vector<platform::DirectoryEntry> matches;
    std::size_t next = 0;
};

constexpr std::size_t kMaxPlainSearches = 256;
std::array<PlainSearch*, kMaxPlainSearches> searches{};

PlainSearch* FindSearch(int search) {
    return search >= 0 && static_cast<std::size_t>(search) < searches.size() ? searches[search]
                                                                             : nullptr;
}

int TakeNext(PlainSearch* search, FileInfo* info) {
    if (search->next >= search->matches.size()) {
        return -1;
    }
    if (info != nullptr) {
        FillFileInfo(search->matches[search->next], info);
    }
    ++search->next;
    return 0;
}

}  // namespace

void FillFileInfo(const platform::DirectoryEntry& entry, FileInfo* info) {
    info->name = entry.name;
    info->directory = entry.is_folder ? 1 : 0;
    info->size_low = static_cast<std::uint32_t>(entry.size);
    info->size_high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(entry.size) >> 32);
    const std::uint64_t file_time =
        kFileTimeOfUnixEpoch + static_cast<std::uint64_t>(entry.modified_unix_seconds) * 10000000u;
    FileTimeToDateTime(file_time, &info->last_write_time);
    info->creation_time = info->last_write_time;
}

int PlainSetCurrentDir(const char* path) {
    return path != nullptr && platform::SetCurrentFolder(path) ? 1 : 0;
}

int PlainGetCurrentDir(std::string* path) {
    *path = platform::GetCurrentFolder();
    return static_cast<int>(path->size());
}

int PlainFindFirst(const char* pattern, FileInfo* info) {
    if (pattern == nullptr) {
        return -1;
    }
    std::optional<std::vector<platform::DirectoryEntry>> matches =
        platform::SearchDirectory(pattern);
    if (!matches || matches->empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < searches.size(); ++i) {
        if (searches[i] != nullptr) {
            continue;
        }
        PlainSearch* search = NewTracked<PlainSearch>(__FILE__, __LINE__);
        if (search == nullptr) {
            return -1;
        }
        search->matches = std::move(*matches);
        searches[i] = search;
        TakeNext(search, info);
        return static_cast<int>(i);
    }
    return -1;
}

int PlainFindNext(int search, FileInfo* info) {
    PlainSearch* record = FindSearch(search);
    return record != nullptr ? TakeNext(record, info) : -1;
}

int PlainFindClose(int search) {
    PlainSearch* record = FindSearch(search);
    if (record == nullptr) {
        return -1;
    }
    searches[search] = nullptr;
    DeleteTracked(record);
    return 0;
}

}  // namespace layer
