#include "layer/core/threaded_file.h"

#include <array>
#include <system_error>

#include "layer/core/file_messages_texts.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_object.h"
#include "platform/file_system.h"

namespace layer {
namespace {

// Room for every archive of the cache, every file the archive-aware set holds open, and more.
constexpr std::size_t kMaxPlainFiles = 4096;
std::array<ThreadedFile*, kMaxPlainFiles> open_files{};

FileHandle Register(ThreadedFile* file) {
    for (std::size_t i = 0; i < open_files.size(); ++i) {
        if (open_files[i] == nullptr) {
            open_files[i] = file;
            return static_cast<FileHandle>(i + 1);
        }
    }
    return 0;
}

void FreeCache(ThreadedFile* file) {
    FreeTracked(file->cache_buffer);
    file->cache_buffer = nullptr;
}

FileHandle OpenDirectFile(ThreadedFile* file, const char* path) {
    file->direct = platform::OpenFileForRead(path);
    if (!file->direct) {
        return 0;
    }
    file->size = file->direct->Size();
    return file->size >= 0 ? Register(file) : 0;
}

FileHandle OpenWorkerFile(ThreadedFile* file, const char* path) {
    // The size is taken without opening the file, so that only the worker's open can fail.
    const std::optional<platform::FileStatus> status = platform::StatPath(path);
    if (!status || status->is_folder) {
        return 0;
    }
    file->size = status->size;
    if (file->cache != 0) {
        file->cache_buffer =
            static_cast<std::uint8_t*>(AllocTracked(kReadAheadSize, __FILE__, __LINE__));
        if (file->cache_buffer == nullptr) {
            WriteLog(kReadCacheAllocationFailedText);
            return 0;
        }
    }
    try {
        file->worker = std::thread(FileAccessThreadProc, file);
    } catch (const std::system_error&) {
        FreeCache(file);
        WriteLog(kFileThreadCreationFailedText);
        return 0;
    }
    file->done_event.Wait();
    file->path = path;
    StartFileCommand(file, FileCommand::kOpen);
    file->done_event.Wait();
    if (file->open_failed != 0) {
        file->worker.join();
        FreeCache(file);
        WriteLog(kFileOpenFailedText);
        return 0;
    }
    const FileHandle handle = Register(file);
    if (handle == 0) {
        file->done_event.Wait();
        StartFileCommand(file, FileCommand::kCloseAndExit);
        file->worker.join();
        FreeCache(file);
    }
    return handle;
}

// The number of whole elements a read may take from the position, 0 at the end (which sets
// the end flag).
std::int64_t ElementsToRead(ThreadedFile* file, int element_size, int count) {
    const std::int64_t remaining = file->size - file->position;
    std::int64_t elements = count > 0 ? count : 0;
    if (remaining <= 0) {
        elements = 0;
    } else if (static_cast<std::int64_t>(element_size) * elements > remaining) {
        elements = remaining / element_size;
    }
    if (elements == 0) {
        file->end = 1;
    }
    return elements;
}

std::int64_t ReadDirect(ThreadedFile* file, void* destination, std::int64_t bytes) {
    if (file->direct->Seek(file->position, platform::SeekOrigin::kBegin) < 0) {
        return 0;
    }
    std::int64_t total = 0;
    auto* out = static_cast<std::uint8_t*>(destination);
    while (total < bytes) {
        const std::int64_t got =
            file->direct->Read(out + total, static_cast<std::size_t>(bytes - total));
        if (got <= 0) {
            break;
        }
        total += got;
    }
    return total;
}

}  // namespace

ThreadedFile* FindThreadedFile(FileHandle file) {
    return file >= 1 && file <= open_files.size() ? open_files[file - 1] : nullptr;
}

FileHandle OpenThreadedFile(const char* path, int cache, int, int asynchronous) {
    ThreadedFile* file = NewTracked<ThreadedFile>(__FILE__, __LINE__);
    if (file == nullptr || path == nullptr) {
        DeleteTracked(file);
        return 0;
    }
    file->cache = cache != 0 ? 1 : 0;
    file->asynchronous = asynchronous != 0 ? 1 : 0;
    file->threaded = file->cache | file->asynchronous;
    const FileHandle handle =
        file->threaded != 0 ? OpenWorkerFile(file, path) : OpenDirectFile(file, path);
    if (handle == 0) {
        DeleteTracked(file);
    }
    return handle;
}

int CloseThreadedFile(FileHandle handle) {
    ThreadedFile* file = FindThreadedFile(handle);
    if (file == nullptr) {
        return -1;
    }
    open_files[handle - 1] = nullptr;
    int result = 0;
    if (file->threaded != 0) {
        file->done_event.Wait();
        StartFileCommand(file, FileCommand::kCloseAndExit);
        file->done_event.Wait();
        file->worker.join();
        FreeCache(file);
    } else {
        result = file->direct->Close() ? 0 : -1;
    }
    DeleteTracked(file);
    return result;
}

std::int64_t PlainFileTell(FileHandle handle) {
    ThreadedFile* file = FindThreadedFile(handle);
    return file != nullptr ? file->position : -1;
}

int PlainFileSeek(FileHandle handle, std::int64_t offset, int origin) {
    ThreadedFile* file = FindThreadedFile(handle);
    if (file == nullptr || origin < 0 || origin > 2) {
        return -1;
    }
    const std::int64_t bases[] = {0, file->position, file->size};
    const std::int64_t target = bases[origin] + offset;
    if (target < 0) {
        return -1;
    }
    // Reads carry their own positions; the worker needs a seek only to move its read-ahead.
    if (file->cache_buffer != nullptr) {
        file->done_event.Wait();
        file->seek_position = target;
        StartFileCommand(file, FileCommand::kSeek);
    }
    file->position = target;
    file->end = 0;
    return 0;
}

int PlainFileRead(void* destination, int element_size, int count, FileHandle handle) {
    ThreadedFile* file = FindThreadedFile(handle);
    if (file == nullptr || element_size <= 0) {
        return 0;
    }
    const std::int64_t elements = ElementsToRead(file, element_size, count);
    if (elements == 0) {
        return 0;
    }
    const std::int64_t bytes = elements * element_size;
    if (file->threaded == 0) {
        const std::int64_t got = ReadDirect(file, destination, bytes);
        file->position += got;
        return static_cast<int>(got / element_size);
    }
    file->done_event.Wait();
    file->read_destination = static_cast<std::uint8_t*>(destination);
    file->read_position = file->position;
    file->read_count = bytes;
    StartFileCommand(file, FileCommand::kRead);
    if (file->asynchronous != 0) {
        // The destination belongs to the worker until the file is idle again.
        file->position += bytes;
        return static_cast<int>(elements);
    }
    file->done_event.Wait();
    file->position += file->read_count;
    return static_cast<int>(file->read_count / element_size);
}

int PlainFileEof(FileHandle handle) {
    ThreadedFile* file = FindThreadedFile(handle);
    return file != nullptr && file->end != 0 ? -1 : 0;
}

int PlainFileIdle(FileHandle handle) {
    ThreadedFile* file = FindThreadedFile(handle);
    if (file == nullptr) {
        return -1;
    }
    return file->threaded == 0 || file->done_event.IsSet() ? 1 : 0;
}

}  // namespace layer
