#include "layer/core/archive_search.h"

#include <array>
#include <mutex>

#include "layer/core/archive_file_operations.h"
#include "layer/core/archive_path.h"
#include "layer/core/double_byte_text.h"
#include "layer/core/match_wildcard.h"
#include "layer/core/plain_directory_operations.h"
#include "layer/core/tracked_object.h"

namespace layer {
namespace {

enum class SearchKind { kPlain = 0, kArchive = 1 };

struct SearchRecord {
    SearchKind kind = SearchKind::kPlain;
    int cache_index = -1;
    int plain = -1;
    ArchiveSearch* search = nullptr;
};

constexpr std::size_t kMaxSearches = 256;
std::array<SearchRecord*, kMaxSearches> searches{};

SearchRecord* FindSearch(int search) {
    return search >= 0 && static_cast<std::size_t>(search) < searches.size() ? searches[search]
                                                                             : nullptr;
}

void FillDotInfo(const char* name, FileInfo* info) {
    *info = FileInfo{};
    info->name = name;
    info->directory = 1;
}

void FillRecordInfo(const ArchiveFileRecord& record, std::string_view name, FileInfo* info) {
    info->name = std::string(name);
    info->directory = (record.attributes & kArchiveDirectoryAttribute) != 0 ? 1 : 0;
    info->size_low = record.size;
    info->size_high = 0;
    FileTimeToDateTime(record.creation_time, &info->creation_time);
    FileTimeToDateTime(record.last_write_time, &info->last_write_time);
}

void EndSearch(SearchRecord* record) {
    if (record->kind == SearchKind::kArchive) {
        FreeArchiveSearch(record->search);
        ReleaseCachedArchive(record->cache_index);
    } else {
        PlainFindClose(record->plain);
    }
    DeleteTracked(record);
}

}  // namespace

std::pair<std::string_view, std::string_view> SplitPathName(std::string_view path) {
    std::size_t split = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
            split = i;
        } else if (IsDoubleByteLead(static_cast<unsigned char>(path[i]), kShiftJisCharset)) {
            ++i;
        }
    }
    if (split == std::string_view::npos) {
        return {std::string_view(), path};
    }
    return {path.substr(0, split), path.substr(split + 1)};
}

ArchiveSearch* FindFirstInArchive(QvaArchive* archive, std::string_view path, FileInfo* info) {
    FinishImageLoad(archive);
    const auto [directory, pattern] = SplitPathName(path);
    const std::uint32_t remembered = archive->current_directory;
    const bool walked = directory.empty() || ChangeArchiveDir(archive, directory) == 0;
    const std::uint32_t searched = archive->current_directory;
    archive->current_directory = remembered;
    if (!walked) {
        return nullptr;
    }
    ArchiveSearch* search = NewTracked<ArchiveSearch>(__FILE__, __LINE__);
    if (search == nullptr) {
        return nullptr;
    }
    search->archive = archive;
    search->pattern = std::string(pattern);
    search->directory = searched;
    if (NextArchiveMatch(search, info) != 0) {
        FreeArchiveSearch(search);
        return nullptr;
    }
    return search;
}

int NextArchiveMatch(ArchiveSearch* search, FileInfo* info) {
    QvaArchive& archive = *search->archive;
    const std::uint32_t remembered = archive.current_directory;
    archive.current_directory = search->directory;
    ArchiveDirectoryRecord directory;
    const bool readable = ReadCurrentDirectory(archive, &directory);
    archive.current_directory = remembered;
    if (!readable) {
        return -1;
    }
    const std::uint32_t dots = directory.parent == kArchiveNoParent ? 1 : 2;
    for (std::uint64_t i = search->index; i < dots + static_cast<std::uint64_t>(directory.count);
         ++i) {
        search->index = static_cast<std::uint32_t>(i + 1);
        if (i < dots) {
            const char* name = i == 0 ? "." : "..";
            if (MatchWildcard(search->pattern, name)) {
                if (info != nullptr) {
                    FillDotInfo(name, info);
                }
                return 0;
            }
            continue;
        }
        ArchiveFileRecord record;
        std::string_view name;
        std::string_view upper_name;
        if (ReadDirectoryFileRecord(archive, directory, static_cast<std::uint32_t>(i - dots),
                                    &record) &&
            ReadArchiveNames(archive, record, &name, &upper_name) &&
            MatchWildcard(search->pattern, upper_name)) {
            if (info != nullptr) {
                FillRecordInfo(record, name, info);
            }
            return 0;
        }
    }
    search->index = static_cast<std::uint32_t>(dots + directory.count);
    return -1;
}

void FreeArchiveSearch(ArchiveSearch* search) {
    DeleteTracked(search);
}

int ArchiveAwareFindFirst(const char* pattern, FileInfo* info) {
    if (pattern == nullptr) {
        return -1;
    }
    // A search may finish loading an archive's image and close its file under a reader.
    const std::lock_guard<std::mutex> lock(Archives().access);
    std::size_t slot = 0;
    while (slot < searches.size() && searches[slot] != nullptr) {
        ++slot;
    }
    if (slot == searches.size()) {
        return -1;
    }
    SearchRecord* record = NewTracked<SearchRecord>(__FILE__, __LINE__);
    if (record == nullptr) {
        return -1;
    }
    std::string rest;
    if (ResolveArchivePath(pattern, &record->cache_index, nullptr, &rest) == 0) {
        record->kind = SearchKind::kArchive;
        record->search =
            FindFirstInArchive(Archives().cache[record->cache_index].archive, rest, info);
        if (record->search == nullptr) {
            ReleaseCachedArchive(record->cache_index);
            DeleteTracked(record);
            return -1;
        }
    } else {
        record->plain = PlainFindFirst(pattern, info);
        if (record->plain < 0) {
            DeleteTracked(record);
            return -1;
        }
    }
    searches[slot] = record;
    return static_cast<int>(slot);
}

int ArchiveAwareFindNext(int search, FileInfo* info) {
    SearchRecord* record = FindSearch(search);
    if (record == nullptr) {
        return -1;
    }
    return record->kind == SearchKind::kArchive ? NextArchiveMatch(record->search, info)
                                                : PlainFindNext(record->plain, info);
}

int ArchiveAwareFindClose(int search) {
    SearchRecord* record = FindSearch(search);
    if (record == nullptr) {
        return -1;
    }
    searches[search] = nullptr;
    EndSearch(record);
    return 0;
}

void CloseArchiveSearches() {
    for (SearchRecord*& record : searches) {
        if (record != nullptr) {
            EndSearch(record);
            record = nullptr;
        }
    }
}

}  // namespace layer
