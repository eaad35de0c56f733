#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

#include "layer/core/layer_api.h"
#include "platform/file.h"
#include "platform/manual_reset_event.h"

namespace layer {

// Worker commands, posted one at a time.
enum class FileCommand { kOpen = 0, kCloseFile = 1, kRead = 2, kSeek = 3, kCloseAndExit = 4 };

constexpr std::int64_t kReadAheadSize = 0x20000;

// A file opened through the plain set. A direct file (neither the cache nor the asynchronous
// flag) is read on the caller's thread; a threaded one by a worker thread of its own, to which
// the client posts commands. The done event is the hand-over: the client writes the command
// fields only while it is set, the worker writes its results before setting it.
struct ThreadedFile {
    std::optional<platform::File> direct;
    int threaded = 0;
    int cache = 0;
    int asynchronous = 0;
    int end = 0;
    std::int64_t position = 0;  // kept by the client
    std::int64_t size = 0;      // taken at open

    std::thread worker;
    std::optional<platform::File> worker_file;
    platform::ManualResetEvent command_event{false};
    platform::ManualResetEvent done_event{true};
    FileCommand command = FileCommand::kOpen;
    std::atomic<int> exited{0};
    int open_failed = 0;
    std::string path;
    std::uint8_t* read_destination = nullptr;
    std::int64_t read_position = 0;
    std::int64_t read_count = 0;  // the worker replaces it by the bytes read
    std::int64_t seek_position = 0;
    std::uint8_t* cache_buffer = nullptr;
    std::int64_t cache_position = 0;  // file position of the first cached byte
    std::int64_t cached = 0;
};

// The plain set's file slots. Handles are indices into the layer's table of open files.
FileHandle OpenThreadedFile(const char* path, int cache, int reserved, int asynchronous);
int CloseThreadedFile(FileHandle file);
std::int64_t PlainFileTell(FileHandle file);
int PlainFileSeek(FileHandle file, std::int64_t offset, int origin);
int PlainFileRead(void* destination, int element_size, int count, FileHandle file);
int PlainFileEof(FileHandle file);
int PlainFileIdle(FileHandle file);

// The record behind a handle of the plain set, or null when the handle names no open file.
ThreadedFile* FindThreadedFile(FileHandle file);

// The worker's procedure.
void FileAccessThreadProc(ThreadedFile* file);
// Hands a command to the worker: the client calls it after waiting for the done event and
// writing the command's fields.
void StartFileCommand(ThreadedFile* file, FileCommand command);

}  // namespace layer
