#pragma once

#include <cstdint>
#include <string>

#include "layer/core/file_info.h"
#include "layer/core/layer_api.h"

namespace layer {

// Every file the layer or the game reads goes through these twelve operations. Two complete
// sets are built in: the plain set reads files on disk; the archive-aware set looks a path up
// in a resource archive first and falls back to the plain set.
struct FileOperationTable {
    // path, cache flag, a third int no built-in set reads, asynchronous flag; 0 on failure.
    FileHandle (*open)(const char* path, int cache, int reserved, int asynchronous);
    int (*close)(FileHandle file);
    std::int64_t (*tell)(FileHandle file);
    // origin 0 from the start, 1 from the position, 2 from the end; 0 or -1.
    int (*seek)(FileHandle file, std::int64_t offset, int origin);
    int (*read)(void* destination, int element_size, int count, FileHandle file);
    // -1 when a read reached the end, else 0.
    int (*eof)(FileHandle file);
    // 1 when no asynchronous operation is pending.
    int (*idle)(FileHandle file);
    int (*set_current_dir)(const char* path);
    int (*get_current_dir)(std::string* path);
    // A search handle, -1 when nothing matches; fills the info when given.
    int (*find_first)(const char* pattern, FileInfo* info);
    int (*find_next)(int search, FileInfo* info);
    int (*find_close)(int search);
};

// 0 at load (the archive-aware set), 1 selects the plain set.
extern int PlainFilesFlag;

// The plain set, for callers that install a table of their own built on it.
const FileOperationTable& PlainFileOperations();

// The table in force; readers that outlive a later installation keep a copy.
const FileOperationTable& FileOperationsInForce();

// Copies a table over the one in force; null installs the built-in set PlainFilesFlag chooses.
// Returns 0.
int InstallFileOperations(const FileOperationTable* table);
// 1 when the table in force is the built-in set PlainFilesFlag chooses, else 0.
int IsDefaultFileOperations();
// Switches the built-in set (1 archive-aware, 0 plain); a table installed by a caller stays.
void SelectArchiveFiles(int flag);

FileHandle DispatchFileOpen(const char* path, int cache, int reserved, int asynchronous);
int DispatchFileClose(FileHandle file);
std::int64_t DispatchFileTell(FileHandle file);
int DispatchFileSeek(FileHandle file, std::int64_t offset, int origin);
int DispatchFileRead(void* destination, int element_size, int count, FileHandle file);
int DispatchFileEof(FileHandle file);
int DispatchFileIdle(FileHandle file);
int DispatchSetCurrentDir(const char* path);
int DispatchGetCurrentDir(std::string* path);

}  // namespace layer
