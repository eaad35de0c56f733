#include "layer/core/archive_file_operations.h"

#include <mutex>

#include "layer/core/archive_path.h"
#include "layer/core/file_messages_texts.h"
#include "layer/core/layer_log.h"
#include "layer/core/threaded_file.h"
#include "layer/core/tracked_object.h"
#include "platform/file_system.h"

namespace layer {
namespace {

OpenFileRecord* FindRecord(FileHandle file) {
    if ((file & kArchiveAwareHandleBits) != kArchiveAwareHandleBits) {
        return nullptr;
    }
    const FileHandle slot = file & ~kArchiveAwareHandleBits;
    return slot < kMaxArchiveAwareFiles ? Archives().open_files[slot] : nullptr;
}

bool IsEntry(const OpenFileRecord* record) {
    return record->kind == OpenFileKind::kArchive;
}

}  // namespace

void CloseOpenFileRecord(OpenFileRecord* record) {
    if (IsEntry(record)) {
        ReleaseCachedArchive(record->cache_index);
        CloseArchiveEntry(&record->entry);
    } else {
        CloseThreadedFile(record->plain);
    }
    DeleteTracked(record);
}

FileHandle ArchiveAwareOpen(const char* path, int cache, int reserved, int asynchronous) {
    ArchiveState& state = Archives();
    const std::lock_guard<std::mutex> lock(state.access);
    if (path == nullptr) {
        return 0;
    }
    if (state.open_count >= kMaxArchiveAwareFiles) {
        WriteLog(kTooManyOpenFilesText);
        return 0;
    }
    FileHandle slot = 0;
    while (state.open_files[slot] != nullptr) {
        ++slot;
    }
    OpenFileRecord* record = NewTracked<OpenFileRecord>(__FILE__, __LINE__);
    if (record == nullptr) {
        WriteLog(kFileRecordAllocationFailedText);
        return 0;
    }
    std::string rest;
    if (ResolveArchivePath(path, &record->cache_index, nullptr, &rest) == 0) {
        record->kind = OpenFileKind::kArchive;
        QvaArchive* archive = state.cache[record->cache_index].archive;
        if (OpenArchiveEntry(&record->entry, archive, rest, asynchronous) != 0) {
            ReleaseCachedArchive(record->cache_index);
            DeleteTracked(record);
            return 0;
        }
    } else {
        record->plain = OpenThreadedFile(path, cache, reserved, asynchronous);
        if (record->plain == 0) {
            DeleteTracked(record);
            return 0;
        }
    }
    state.open_files[slot] = record;
    ++state.open_count;
    return kArchiveAwareHandleBits | slot;
}

int ArchiveAwareClose(FileHandle file) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    CloseOpenFileRecord(record);
    Archives().open_files[file & ~kArchiveAwareHandleBits] = nullptr;
    --Archives().open_count;
    return 0;
}

std::int64_t ArchiveAwareTell(FileHandle file) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    return IsEntry(record) ? TellArchiveEntry(&record->entry) : PlainFileTell(record->plain);
}

int ArchiveAwareSeek(FileHandle file, std::int64_t offset, int origin) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    return IsEntry(record) ? SeekArchiveEntry(&record->entry, offset, origin)
                           : PlainFileSeek(record->plain, offset, origin);
}

int ArchiveAwareRead(void* destination, int element_size, int count, FileHandle file) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    if (!IsEntry(record)) {
        return PlainFileRead(destination, element_size, count, record->plain);
    }
    if (element_size <= 0 || count <= 0) {
        return 0;
    }
    return ReadArchiveEntry(&record->entry, destination,
                            static_cast<std::int64_t>(element_size) * count);
}

int ArchiveAwareEof(FileHandle file) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    return IsEntry(record) ? IsArchiveEntryAtEnd(&record->entry) : PlainFileEof(record->plain);
}

int ArchiveAwareIdle(FileHandle file) {
    const std::lock_guard<std::mutex> lock(Archives().access);
    OpenFileRecord* record = FindRecord(file);
    if (record == nullptr) {
        return -1;
    }
    return IsEntry(record) ? PollArchiveEntry(&record->entry) : PlainFileIdle(record->plain);
}

int ArchiveAwareSetDir(const char* path) {
    if (path != nullptr) {
        platform::SetCurrentFolder(path);
    }
    return 0;
}

int ArchiveAwareGetDir(std::string* path) {
    *path = platform::GetCurrentFolder();
    return 0;
}

}  // namespace layer
