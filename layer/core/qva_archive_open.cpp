#include <climits>
#include <cstring>
#include <optional>
#include <thread>

#include "layer/core/qva_archive.h"
#include "layer/core/threaded_file.h"
#include "layer/core/tracked_memory.h"
#include "platform/file_system.h"

namespace layer {
namespace {

// Why an archive file that is there was refused.
constexpr const char* kUnreadable = "it cannot be read";
constexpr const char* kShorterThanHeader = "it is shorter than an archive header";
constexpr const char* kNotAnArchive = "it is no archive, or one made with another key";
constexpr const char* kNewerVersion = "its format version is newer than this player reads";
constexpr const char* kTablesOutside = "its tables lie outside the file";
constexpr const char* kTooLarge = "it is too large to load whole";

int Refuse(const char* why, const char** refusal) {
    if (refusal != nullptr) {
        *refusal = why;
    }
    return -1;
}

// Reads plain bytes of an archive from wherever it is kept.
using KeyedReader = bool (*)(const void* source, std::int64_t position, void* buffer,
                             std::size_t size, const ArchiveKey& key);

bool ReadFromFile(const void* source, std::int64_t position, void* buffer, std::size_t size,
                  const ArchiveKey& key) {
    return ReadKeyed(position, *static_cast<const FileHandle*>(source), buffer, size, key);
}

struct MemoryImage {
    const std::uint8_t* bytes;
    std::size_t size;
};

bool ReadFromMemory(const void* source, std::int64_t position, void* buffer, std::size_t size,
                    const ArchiveKey& key) {
    const auto* image = static_cast<const MemoryImage*>(source);
    if (static_cast<std::uint64_t>(position) + size > image->size) {
        return false;
    }
    std::memcpy(buffer, image->bytes + position, size);
    ApplyArchiveKey(size, buffer, position, key);
    return true;
}

// The directory block with its tables, and the data area, must lie inside the file.
bool LayoutFits(const ArchiveHeader& header, std::int64_t file_size) {
    const auto size = static_cast<std::uint64_t>(file_size);
    return static_cast<std::uint64_t>(header.directory_offset) + header.directory_size <= size &&
           header.file_table_offset <= header.directory_size &&
           static_cast<std::uint64_t>(header.directory_table_offset) +
                   kArchiveDirectoryRecordSize <=
               header.directory_size &&
           header.data_offset <= size;
}

// Reads the header with the key and checks it against the file; null, or why it is refused.
const char* ReadHeader(QvaArchive* archive, KeyedReader read, const void* source,
                       std::int64_t file_size) {
    std::uint8_t bytes[kArchiveHeaderSize];
    if (!read(source, 0, bytes, sizeof bytes, archive->key)) {
        return kShorterThanHeader;
    }
    if (!ParseArchiveHeader(bytes, &archive->header)) {
        return kNotAnArchive;
    }
    if (archive->header.version > kArchiveNewestVersion) {
        return kNewerVersion;
    }
    return LayoutFits(archive->header, file_size) ? nullptr : kTablesOutside;
}

// Reads and checks the header and the directory block; null, or why the archive is refused. A
// header that is not usable with the derived key is tried with the retry key; the magic alone
// cannot tell, since the key of no key string shares its first two bytes with the retry key. The
// reason told is that of a key under which the magic matched, if any.
const char* LoadArchiveDirectory(QvaArchive* archive, KeyedReader read, const void* source,
                                 std::int64_t file_size, const char* key_string) {
    archive->key = DeriveArchiveKey(key_string);
    if (const char* refused = ReadHeader(archive, read, source, file_size)) {
        archive->key = RetryArchiveKey();
        if (const char* retried = ReadHeader(archive, read, source, file_size)) {
            return refused == kNotAnArchive ? retried : refused;
        }
    }
    const std::uint32_t size = archive->header.directory_size;
    archive->directory = static_cast<std::uint8_t*>(AllocTracked(size, __FILE__, __LINE__));
    if (archive->directory == nullptr ||
        !read(source, archive->header.directory_offset, archive->directory, size, archive->key)) {
        FreeTracked(archive->directory);
        archive->directory = nullptr;
        return kTablesOutside;
    }
    archive->file_record_size =
        static_cast<std::uint32_t>(ArchiveFileRecordSize(archive->header.version));
    archive->current_directory = 0;
    archive->file_size = file_size;
    return nullptr;
}

// Opens the archive file on its worker thread and takes its size; 0 when it cannot be opened,
// with the refusal of a file that is there but cannot be read.
FileHandle OpenArchiveFile(const char* path, std::int64_t* size, const char** refusal) {
    const FileHandle file = OpenThreadedFile(path, 0, 1, 1);
    if (file == 0) {
        const std::optional<platform::FileStatus> status = platform::StatPath(path);
        Refuse(status && !status->is_folder ? kUnreadable : nullptr, refusal);
        return 0;
    }
    PlainFileSeek(file, 0, 2);
    *size = PlainFileTell(file);
    PlainFileSeek(file, 0, 0);
    return file;
}

void WaitIdle(FileHandle file) {
    while (PlainFileIdle(file) == 0) {
        std::this_thread::yield();
    }
}

}  // namespace

bool ReadKeyed(std::int64_t position, FileHandle file, void* buffer, std::size_t size,
               const ArchiveKey& key) {
    if (size > INT_MAX) {
        return false;
    }
    if (position < 0) {
        position = PlainFileTell(file);
    } else if (PlainFileSeek(file, position, 0) != 0) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    if (PlainFileRead(buffer, static_cast<int>(size), 1, file) != 1) {
        return false;
    }
    WaitIdle(file);
    ApplyArchiveKey(size, buffer, position, key);
    return true;
}

int OpenArchiveDirectory(QvaArchive* archive, const char* path, const char* key_string,
                         const char** refusal) {
    if (archive->file != 0 || archive->directory != nullptr) {
        return Refuse(nullptr, refusal);
    }
    std::int64_t size = 0;
    FileHandle file = OpenArchiveFile(path, &size, refusal);
    if (file == 0) {
        return -1;
    }
    if (const char* refused =
            LoadArchiveDirectory(archive, ReadFromFile, &file, size, key_string)) {
        CloseThreadedFile(file);
        *archive = QvaArchive{};
        return Refuse(refused, refusal);
    }
    archive->file = file;
    return 0;
}

int OpenArchiveImage(QvaArchive* archive, const char* path, const char* key_string,
                     int asynchronous, const char** refusal) {
    if (archive->file != 0 || archive->directory != nullptr) {
        return Refuse(nullptr, refusal);
    }
    std::int64_t size = 0;
    FileHandle file = OpenArchiveFile(path, &size, refusal);
    if (file == 0) {
        return -1;
    }
    const char* refused = kTooLarge;
    if (size > INT_MAX ||
        (archive->image = static_cast<std::uint8_t*>(
             AllocTracked(static_cast<std::size_t>(size), __FILE__, __LINE__))) == nullptr ||
        (refused = LoadArchiveDirectory(archive, ReadFromFile, &file, size, key_string)) !=
            nullptr) {
        FreeTracked(archive->image);
        CloseThreadedFile(file);
        *archive = QvaArchive{};
        return Refuse(refused, refusal);
    }
    PlainFileSeek(file, 0, 0);
    PlainFileRead(archive->image, static_cast<int>(size), 1, file);
    archive->file = file;
    archive->whole_image = 1;
    archive->image_load_pending = 1;
    if (asynchronous == 0) {
        FinishImageLoad(archive);
    }
    return 0;
}

int OpenArchiveMemoryImage(QvaArchive* archive, const std::uint8_t* bytes, std::size_t size,
                           const char* key_string, const char** refusal) {
    if (archive->file != 0 || archive->directory != nullptr) {
        return Refuse(nullptr, refusal);
    }
    const MemoryImage image{bytes, size};
    if (const char* refused = LoadArchiveDirectory(archive, ReadFromMemory, &image,
                                                   static_cast<std::int64_t>(size), key_string)) {
        return Refuse(refused, refusal);
    }
    archive->image = static_cast<std::uint8_t*>(AllocTracked(size, __FILE__, __LINE__));
    if (archive->image == nullptr) {
        FreeTracked(archive->directory);
        *archive = QvaArchive{};
        return Refuse(kTooLarge, refusal);
    }
    std::memcpy(archive->image, bytes, size);
    ApplyArchiveKey(size, archive->image, 0, archive->key);
    archive->whole_image = 1;
    return 0;
}

void FinishImageLoad(QvaArchive* archive) {
    if (archive->image_load_pending == 0) {
        return;
    }
    WaitIdle(archive->file);
    CloseThreadedFile(archive->file);
    archive->file = 0;
    ApplyArchiveKey(static_cast<std::size_t>(archive->file_size), archive->image, 0, archive->key);
    archive->image_load_pending = 0;
}

int CloseArchive(QvaArchive* archive) {
    FinishImageLoad(archive);
    if (archive->file != 0) {
        CloseThreadedFile(archive->file);
    }
    FreeTracked(archive->image);
    FreeTracked(archive->directory);
    *archive = QvaArchive{};
    return 0;
}

}  // namespace layer
