#pragma once

#include <string>

#include "layer/core/file_info.h"

namespace platform {
struct DirectoryEntry;
}

namespace layer {

// The plain set's directory slots, on the platform's folders and searches. Search handles are
// indices into the layer's table of searches.
int PlainSetCurrentDir(const char* path);
int PlainGetCurrentDir(std::string* path);
int PlainFindFirst(const char* pattern, FileInfo* info);
int PlainFindNext(int search, FileInfo* info);
int PlainFindClose(int search);

// A search match as the game sees it. Disk files tell no creation time here, so it is the
// last write.
void FillFileInfo(const platform::DirectoryEntry& entry, FileInfo* info);

}  // namespace layer
