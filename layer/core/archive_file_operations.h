#pragma once

#include <cstdint>
#include <string>

#include "layer/core/archive_state.h"
#include "layer/core/file_info.h"

namespace layer {

// The archive-aware set: a path under an archive opens inside it (and is never looked for on
// disk), any other path as a plain file. Handles are 0xF0000000 | the open-file slot.
FileHandle ArchiveAwareOpen(const char* path, int cache, int reserved, int asynchronous);
int ArchiveAwareClose(FileHandle file);
std::int64_t ArchiveAwareTell(FileHandle file);
int ArchiveAwareSeek(FileHandle file, std::int64_t offset, int origin);
int ArchiveAwareRead(void* destination, int element_size, int count, FileHandle file);
int ArchiveAwareEof(FileHandle file);
int ArchiveAwareIdle(FileHandle file);
int ArchiveAwareSetDir(const char* path);
int ArchiveAwareGetDir(std::string* path);
int ArchiveAwareFindFirst(const char* pattern, FileInfo* info);
int ArchiveAwareFindNext(int search, FileInfo* info);
int ArchiveAwareFindClose(int search);

// Closes the file of a record (giving its archive reference back) and frees the record.
void CloseOpenFileRecord(OpenFileRecord* record);

}  // namespace layer
