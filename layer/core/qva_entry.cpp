#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "layer/core/file_messages_texts.h"
#include "layer/core/layer_log.h"
#include "layer/core/qva_archive.h"
#include "layer/core/qva_lz.h"
#include "layer/core/threaded_file.h"
#include "layer/core/tracked_memory.h"

namespace layer {
namespace {

bool IsStored(const ArchiveFileRecord& record) {
    return record.compressed_size == kArchiveStored;
}

std::int64_t DataStart(const ArchiveEntry& entry) {
    return static_cast<std::int64_t>(entry.archive->header.data_offset) + entry.record.data_address;
}

int LogEntryFailure(const char* text, std::string_view path) {
    return WriteLogFormat("%s: %.*s", text, static_cast<int>(path.size()), path.data());
}

// Frees the entry's buffers; a damaged entry reads as empty from then on.
void DropEntryData(ArchiveEntry* entry) {
    FreeTracked(entry->decoded);
    FreeTracked(entry->compressed);
    entry->decoded = nullptr;
    entry->compressed = nullptr;
}

// Whether the compressed block could hold the file at all, so that a damaged size does not
// ask for a buffer the block could never fill.
bool CanDecodeTo(const ArchiveFileRecord& record) {
    return record.compressed_size >= kQvaLzHeaderSize &&
           record.size <= (static_cast<std::uint64_t>(record.compressed_size) - kQvaLzHeaderSize) *
                              kQvaLzMaxExpansion;
}

bool Decode(ArchiveEntry* entry, const std::uint8_t* block) {
    return DecodeQvaLz(block, entry->record.compressed_size, entry->decoded, entry->record.size) >=
           0;
}

void CompletePending(ArchiveEntry* entry) {
    while (PollArchiveEntry(entry) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Decodes the compressed block, or posts its read for an asynchronous entry; logs a failure.
int LoadCompressed(ArchiveEntry* entry, std::string_view path) {
    QvaArchive* archive = entry->archive;
    if (archive->whole_image != 0) {
        return Decode(entry, archive->image + DataStart(*entry))
                   ? 0
                   : LogEntryFailure(kArchiveEntryDamagedText, path);
    }
    entry->compressed =
        static_cast<std::uint8_t*>(AllocTracked(entry->record.compressed_size, __FILE__, __LINE__));
    if (entry->compressed == nullptr) {
        return LogEntryFailure(kArchiveEntryAllocationFailedText, path);
    }
    entry->file_position = DataStart(*entry);
    if (entry->asynchronous != 0) {
        PlainFileSeek(archive->file, entry->file_position, 0);
        PlainFileRead(entry->compressed, static_cast<int>(entry->record.compressed_size), 1,
                      archive->file);
        entry->pending = ArchivePending::kCompressed;
        return 0;
    }
    const bool decoded = ReadKeyed(entry->file_position, archive->file, entry->compressed,
                                   entry->record.compressed_size, archive->key) &&
                         Decode(entry, entry->compressed);
    FreeTracked(entry->compressed);
    entry->compressed = nullptr;
    return decoded ? 0 : LogEntryFailure(kArchiveEntryDamagedText, path);
}

}  // namespace

int OpenArchiveEntry(ArchiveEntry* entry, QvaArchive* archive, std::string_view path,
                     int asynchronous) {
    FinishImageLoad(archive);
    ArchiveFileRecord record;
    if (!FindArchiveFile(path, archive, &record)) {
        return -1;
    }
    *entry = ArchiveEntry{};
    entry->archive = archive;
    entry->record = record;
    entry->asynchronous = asynchronous != 0 ? 1 : 0;
    const std::uint64_t length = IsStored(record) ? record.size : record.compressed_size;
    if (static_cast<std::uint64_t>(DataStart(*entry)) + length >
            static_cast<std::uint64_t>(archive->file_size) ||
        (!IsStored(record) && !CanDecodeTo(record))) {
        return LogEntryFailure(kArchiveEntryDamagedText, path);
    }
    if (IsStored(record)) {
        return 0;
    }
    entry->decoded = static_cast<std::uint8_t*>(AllocTracked(record.size, __FILE__, __LINE__));
    if (entry->decoded == nullptr) {
        return LogEntryFailure(kArchiveEntryAllocationFailedText, path);
    }
    if (LoadCompressed(entry, path) != 0) {
        DropEntryData(entry);
        return -1;
    }
    return 0;
}

int PollArchiveEntry(ArchiveEntry* entry) {
    if (entry->pending == ArchivePending::kNone) {
        return 1;
    }
    QvaArchive* archive = entry->archive;
    if (PlainFileIdle(archive->file) == 0) {
        return 0;
    }
    if (entry->pending == ArchivePending::kCompressed) {
        ApplyArchiveKey(entry->record.compressed_size, entry->compressed, entry->file_position,
                        archive->key);
        const bool decoded = Decode(entry, entry->compressed);
        FreeTracked(entry->compressed);
        entry->compressed = nullptr;
        if (!decoded) {
            WriteLogFormat("%s", kArchiveEntryDamagedText);
            DropEntryData(entry);
            entry->record.size = 0;
        }
    } else {
        ApplyArchiveKey(entry->pending_length, entry->pending_destination, entry->file_position,
                        archive->key);
    }
    entry->pending = ArchivePending::kNone;
    return 1;
}

int ReadArchiveEntry(ArchiveEntry* entry, void* destination, std::int64_t count) {
    CompletePending(entry);
    if (entry->end != 0) {
        return 0;
    }
    if (entry->position >= entry->record.size) {
        entry->end = 1;
        return 0;
    }
    const std::int64_t n = std::min<std::int64_t>(count, entry->record.size - entry->position);
    if (n <= 0) {
        return 0;
    }
    QvaArchive* archive = entry->archive;
    const std::int64_t at = DataStart(*entry) + entry->position;
    if (entry->decoded != nullptr) {
        std::memcpy(destination, entry->decoded + entry->position, static_cast<std::size_t>(n));
    } else if (archive->whole_image != 0) {
        std::memcpy(destination, archive->image + at, static_cast<std::size_t>(n));
    } else if (entry->asynchronous != 0) {
        if (PlainFileTell(archive->file) != at) {
            PlainFileSeek(archive->file, at, 0);
        }
        PlainFileRead(destination, static_cast<int>(n), 1, archive->file);
        entry->pending = ArchivePending::kStored;
        entry->file_position = at;
        entry->pending_destination = static_cast<std::uint8_t*>(destination);
        entry->pending_length = static_cast<std::size_t>(n);
    } else {
        ReadKeyed(PlainFileTell(archive->file) == at ? -1 : at, archive->file, destination,
                  static_cast<std::size_t>(n), archive->key);
    }
    entry->position += n;
    entry->end = 0;
    return static_cast<int>(n);
}

int SeekArchiveEntry(ArchiveEntry* entry, std::int64_t offset, int origin) {
    CompletePending(entry);
    if (origin < 0 || origin > 2) {
        return -1;
    }
    const std::int64_t bases[] = {0, entry->position, entry->record.size};
    entry->position = std::clamp<std::int64_t>(bases[origin] + offset, 0, entry->record.size);
    entry->end = 0;
    return 0;
}

std::int64_t TellArchiveEntry(ArchiveEntry* entry) {
    CompletePending(entry);
    return entry->position;
}

int IsArchiveEntryAtEnd(ArchiveEntry* entry) {
    CompletePending(entry);
    return entry->end != 0 ? -1 : 0;
}

int CloseArchiveEntry(ArchiveEntry* entry) {
    CompletePending(entry);
    DropEntryData(entry);
    *entry = ArchiveEntry{};
    return 0;
}

}  // namespace layer
