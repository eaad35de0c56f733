#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "layer/core/file_info.h"
#include "layer/core/qva_archive.h"

namespace layer {

// A directory search inside an archive.
struct ArchiveSearch {
    QvaArchive* archive = nullptr;
    std::string pattern;          // upper-cased
    std::uint32_t directory = 0;  // offset in the directory table
    std::uint32_t index = 0;      // of the next entry: ".", "..", then the records
};

// The directory part (before the last "\", "/" or ":"; empty when there is none) and the file
// pattern after it; two-byte characters are stepped over whole.
std::pair<std::string_view, std::string_view> SplitPathName(std::string_view path);

// Starts a search of the upper-cased path pattern, walked from the archive's current
// directory, and fills the info with the first match; null when nothing matches.
ArchiveSearch* FindFirstInArchive(QvaArchive* archive, std::string_view path, FileInfo* info);
// Fills the info with the next match; 0, or -1 past the last entry.
int NextArchiveMatch(ArchiveSearch* search, FileInfo* info);
void FreeArchiveSearch(ArchiveSearch* search);

// Start-up: ends every search still open.
void CloseArchiveSearches();

}  // namespace layer
