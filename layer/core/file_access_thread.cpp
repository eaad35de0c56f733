#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "layer/core/threaded_file.h"
#include "platform/file_system.h"

namespace layer {
namespace {

constexpr int kReadAheadWaitMilliseconds = 100;
constexpr std::chrono::microseconds kCommandSpin{50};

// Reads up to `count` bytes at `position`; the bytes read, 0 on failure.
std::int64_t ReadAt(platform::File& file, std::int64_t position, std::uint8_t* destination,
                    std::int64_t count) {
    if (file.Seek(position, platform::SeekOrigin::kBegin) < 0) {
        return 0;
    }
    std::int64_t total = 0;
    while (total < count) {
        const std::int64_t got =
            file.Read(destination + total, static_cast<std::size_t>(count - total));
        if (got <= 0) {
            break;
        }
        total += got;
    }
    return total;
}

void ReadAhead(ThreadedFile* file) {
    if (!file->worker_file || file->cached >= kReadAheadSize) {
        return;
    }
    file->cached += ReadAt(*file->worker_file, file->cache_position + file->cached,
                           file->cache_buffer + file->cached, kReadAheadSize - file->cached);
}

void RestartCache(ThreadedFile* file, std::int64_t position) {
    file->cache_position = position;
    file->cached = 0;
}

void RunOpen(ThreadedFile* file) {
    std::optional<platform::File> opened = platform::OpenFileForRead(file->path);
    if (opened) {
        file->worker_file = std::move(opened);
    } else {
        file->open_failed = 1;
    }
}

void RunCloseFile(ThreadedFile* file) {
    file->worker_file.reset();
}

void RunRead(ThreadedFile* file) {
    std::int64_t done = 0;
    if (file->cache_buffer != nullptr && file->read_position == file->cache_position &&
        file->cached > 0) {
        done = std::min(file->read_count, file->cached);
        std::memcpy(file->read_destination, file->cache_buffer, static_cast<std::size_t>(done));
        std::memmove(file->cache_buffer, file->cache_buffer + done,
                     static_cast<std::size_t>(file->cached - done));
        file->cached -= done;
        file->cache_position += done;
        if (done == file->read_count) {
            return;
        }
    }
    const std::int64_t position = file->read_position + done;
    const std::int64_t got = file->worker_file
                                 ? ReadAt(*file->worker_file, position,
                                          file->read_destination + done, file->read_count - done)
                                 : 0;
    file->read_count = done + got;
    if (file->cache_buffer != nullptr) {
        RestartCache(file, position + got);
    }
}

void RunSeek(ThreadedFile* file) {
    // Reads carry their own positions; a seek only moves where the read-ahead continues.
    if (file->cache_buffer != nullptr) {
        RestartCache(file, file->seek_position);
    }
}

// Commands come in bursts (an archive entry's reads follow one another), so the worker looks
// for the next one a little while before it sleeps: a hand-over then costs no wake-up.
void WaitForCommand(ThreadedFile* file) {
    const auto until = std::chrono::steady_clock::now() + kCommandSpin;
    while (!file->command_event.IsSet()) {
        if (std::chrono::steady_clock::now() >= until) {
            file->command_event.Wait();
            return;
        }
        std::this_thread::yield();
    }
}

using CommandRoutine = void (*)(ThreadedFile*);
constexpr CommandRoutine kCommandRoutines[] = {RunOpen, RunCloseFile, RunRead, RunSeek,
                                               RunCloseFile};

}  // namespace

void StartFileCommand(ThreadedFile* file, FileCommand command) {
    file->command = command;
    file->done_event.Reset();
    file->command_event.Set();
}

void FileAccessThreadProc(ThreadedFile* file) {
    for (;;) {
        if (file->cache_buffer == nullptr) {
            WaitForCommand(file);
        } else if (!file->command_event.WaitFor(kReadAheadWaitMilliseconds)) {
            ReadAhead(file);
            continue;
        }
        file->command_event.Reset();
        const FileCommand command = file->command;
        kCommandRoutines[static_cast<int>(command)](file);
        if (command == FileCommand::kCloseAndExit ||
            (command == FileCommand::kOpen && file->open_failed != 0)) {
            file->exited = 1;
            file->done_event.Set();
            return;
        }
        file->done_event.Set();
    }
}

}  // namespace layer
