#include "layer/core/file_operation_table.h"

#include "layer/core/archive_file_operations.h"
#include "layer/core/plain_directory_operations.h"
#include "layer/core/threaded_file.h"

namespace layer {
namespace {

constexpr FileOperationTable kPlainSet = {
    OpenThreadedFile,   CloseThreadedFile, PlainFileTell, PlainFileSeek,
    PlainFileRead,      PlainFileEof,      PlainFileIdle, PlainSetCurrentDir,
    PlainGetCurrentDir, PlainFindFirst,    PlainFindNext, PlainFindClose,
};

constexpr FileOperationTable kArchiveAwareSet = {
    ArchiveAwareOpen,   ArchiveAwareClose,     ArchiveAwareTell,     ArchiveAwareSeek,
    ArchiveAwareRead,   ArchiveAwareEof,       ArchiveAwareIdle,     ArchiveAwareSetDir,
    ArchiveAwareGetDir, ArchiveAwareFindFirst, ArchiveAwareFindNext, ArchiveAwareFindClose,
};

// In force from program load: the game reads files before the layer starts.
FileOperationTable operations = kArchiveAwareSet;

const FileOperationTable& BuiltInSet(int plain_files) {
    return plain_files != 0 ? kPlainSet : kArchiveAwareSet;
}

bool SameTable(const FileOperationTable& a, const FileOperationTable& b) {
    return a.open == b.open && a.close == b.close && a.tell == b.tell && a.seek == b.seek &&
           a.read == b.read && a.eof == b.eof && a.idle == b.idle &&
           a.set_current_dir == b.set_current_dir && a.get_current_dir == b.get_current_dir &&
           a.find_first == b.find_first && a.find_next == b.find_next &&
           a.find_close == b.find_close;
}

}  // namespace

int PlainFilesFlag = 0;

const FileOperationTable& PlainFileOperations() {
    return kPlainSet;
}

const FileOperationTable& FileOperationsInForce() {
    return operations;
}

int InstallFileOperations(const FileOperationTable* table) {
    operations = table != nullptr ? *table : BuiltInSet(PlainFilesFlag);
    return 0;
}

int IsDefaultFileOperations() {
    return SameTable(operations, BuiltInSet(PlainFilesFlag)) ? 1 : 0;
}

void SelectArchiveFiles(int flag) {
    const int plain_files = flag == 0 ? 1 : 0;
    if (plain_files == PlainFilesFlag) {
        return;
    }
    const bool was_default = IsDefaultFileOperations() != 0;
    PlainFilesFlag = plain_files;
    if (was_default) {
        InstallFileOperations(nullptr);
    }
}

FileHandle DispatchFileOpen(const char* path, int cache, int reserved, int asynchronous) {
    return operations.open(path, cache, reserved, asynchronous);
}
int DispatchFileClose(FileHandle file) {
    return operations.close(file);
}
std::int64_t DispatchFileTell(FileHandle file) {
    return operations.tell(file);
}
int DispatchFileSeek(FileHandle file, std::int64_t offset, int origin) {
    return operations.seek(file, offset, origin);
}
int DispatchFileRead(void* destination, int element_size, int count, FileHandle file) {
    return operations.read(destination, element_size, count, file);
}
int DispatchFileEof(FileHandle file) {
    return operations.eof(file);
}
int DispatchFileIdle(FileHandle file) {
    return operations.idle(file);
}
int DispatchSetCurrentDir(const char* path) {
    return operations.set_current_dir(path);
}
int DispatchGetCurrentDir(std::string* path) {
    return operations.get_current_dir(path);
}

}  // namespace layer
