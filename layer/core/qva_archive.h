#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "layer/core/layer_api.h"
#include "layer/core/qva_format.h"
#include "layer/core/qva_key.h"
#include "layer/core/qva_name_record.h"

namespace layer {

// One open archive. In directory-only mode its file stays open on a worker thread and entries
// read from it on demand; in whole-image mode the whole file is held un-keyed in memory. The
// directory block is checked against the file at open; every record, name and data range is
// checked again where it is used, and a failed check reads as "not found".
struct QvaArchive {
    ArchiveHeader header;
    FileHandle file = 0;  // plain set, asynchronous; 0 in whole-image mode once loaded
    std::uint8_t* image = nullptr;
    std::int64_t file_size = 0;
    std::uint8_t* directory = nullptr;
    std::uint32_t file_record_size = 0;
    std::uint32_t current_directory = 0;  // offset in the directory table
    ArchiveKey key{};
    int whole_image = 0;
    int image_load_pending = 0;
};

enum class ArchivePending { kNone = 0, kCompressed = 1, kStored = 2 };

// One file opened inside an archive. Compressed files are decoded whole at open; stored ones
// are read on demand.
struct ArchiveEntry {
    QvaArchive* archive = nullptr;
    ArchiveFileRecord record;
    std::uint8_t* decoded = nullptr;
    std::uint8_t* compressed = nullptr;  // while compressed data is in flight
    int end = 0;
    std::int64_t position = 0;
    int asynchronous = 0;
    ArchivePending pending = ArchivePending::kNone;
    std::int64_t file_position = 0;  // of the last read posted
    std::uint8_t* pending_destination = nullptr;
    std::size_t pending_length = 0;
};

// Reads `size` bytes at `position` (-1: the current position) of the archive file and
// un-keys them; false when they cannot all be had.
bool ReadKeyed(std::int64_t position, FileHandle file, void* buffer, std::size_t size,
               const ArchiveKey& key);

// Opening an archive file by path (a game path); 0, or -1 for a missing or damaged archive or
// a wrong key, without a log line. The key string may be null. On -1 a non-null `refusal` gets
// why an archive that is there was refused, in words, or null when there is no archive file.
int OpenArchiveDirectory(QvaArchive* archive, const char* path, const char* key_string,
                         const char** refusal = nullptr);
int OpenArchiveImage(QvaArchive* archive, const char* path, const char* key_string,
                     int asynchronous, const char** refusal = nullptr);
// Whole-image mode over archive bytes already in memory (copied): no file and no thread.
int OpenArchiveMemoryImage(QvaArchive* archive, const std::uint8_t* bytes, std::size_t size,
                           const char* key_string, const char** refusal = nullptr);
// Completes a pending image load: waits for the file, closes it, un-keys the image.
void FinishImageLoad(QvaArchive* archive);
int CloseArchive(QvaArchive* archive);

// Directory walks over upper-cased paths; every look-up leaves the current directory as it was.
// Makes the named directory current: "." stays, "\" or "/" is the root, ".." the parent, else
// each component from the current directory (a leading separator from the root). 0 or -1.
int ChangeArchiveDir(QvaArchive* archive, std::string_view path);
// Makes the current directory's subdirectory of that name current; 0 or -1.
int EnterArchiveSubdir(QvaArchive* archive, const NameRecord& name);
// The file record the path names (never a directory); false when there is none.
bool FindArchiveFile(std::string_view path, QvaArchive* archive, ArchiveFileRecord* found);

// The current directory's record, and its file record of that index; false when out of the
// block.
bool ReadCurrentDirectory(const QvaArchive& archive, ArchiveDirectoryRecord* directory);
bool ReadDirectoryFileRecord(const QvaArchive& archive, const ArchiveDirectoryRecord& directory,
                             std::uint32_t index, ArchiveFileRecord* record);
// Whether the record's name matches the look-up form.
bool ArchiveNameMatches(const QvaArchive& archive, const ArchiveFileRecord& record,
                        const NameRecord& name);
// The record's name in its own case and its look-up form; false when the name record lies
// outside the block or is not terminated inside it.
bool ReadArchiveNames(const QvaArchive& archive, const ArchiveFileRecord& record,
                      std::string_view* name, std::string_view* upper_name);

// Entries: the path is upper-cased and relative to the archive's current directory.
int OpenArchiveEntry(ArchiveEntry* entry, QvaArchive* archive, std::string_view path,
                     int asynchronous);
int ReadArchiveEntry(ArchiveEntry* entry, void* destination, std::int64_t count);
int SeekArchiveEntry(ArchiveEntry* entry, std::int64_t offset, int origin);
std::int64_t TellArchiveEntry(ArchiveEntry* entry);
int IsArchiveEntryAtEnd(ArchiveEntry* entry);
// 1 when nothing is pending (a pending read that has arrived is un-keyed and decoded), else 0.
int PollArchiveEntry(ArchiveEntry* entry);
int CloseArchiveEntry(ArchiveEntry* entry);

}  // namespace layer
