#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <set>
#include <string>

#include "layer/core/qva_archive.h"

namespace layer {

constexpr int kMaxCachedArchives = 512;
constexpr int kMaxArchiveAwareFiles = 512;
constexpr FileHandle kArchiveAwareHandleBits = 0xF0000000;
constexpr int kMaxArchiveExtensionLength = 63;

struct ArchiveCacheEntry {
    int references = 0;
    QvaArchive* archive = nullptr;  // null: the slot is empty
    std::string path;               // upper-cased full path, the cache key
};

enum class OpenFileKind { kPlain = 0, kArchive = 1 };

// A file open through the archive-aware set.
struct OpenFileRecord {
    OpenFileKind kind = OpenFileKind::kPlain;
    FileHandle plain = 0;
    int cache_index = -1;
    ArchiveEntry entry;
};

// The archive found last: paths under its directory prefix go straight to it.
struct CachedArchivePrefix {
    std::string archive_path;  // upper-cased, the cache key
    std::string open_path;     // in the path's own case, to open it on disk
    std::size_t length = 0;    // of the directory prefix; 0 means none
    int index = -1;
};

struct ArchiveState {
    std::array<ArchiveCacheEntry, kMaxCachedArchives> cache;
    int cache_count = 0;
    std::array<OpenFileRecord*, kMaxArchiveAwareFiles> open_files{};
    int open_count = 0;
    std::string extension;  // empty means "QVA"
    int key_on = 0;
    std::string key;
    CachedArchivePrefix prefix;
    // The upper-cased paths of the archives refused so far, each reported once.
    std::set<std::string> refused;
    // The archive the current path look-up found there but refused (its open path); empty when
    // none.
    std::string look_up_refusal;
    // Held by every archive-aware file operation and by archive searches: a movie's decode
    // thread reads its file through them beside the main thread, and the entries of one
    // archive share its file and that file's position.
    std::mutex access;
};

ArchiveState& Archives();

// Start-up: closes whatever is still open and empties every table and setting, so extension
// and key take effect only when set afterwards.
void ClearArchiveState();
// A text of 1 to 63 bytes is the extension; null, empty or longer texts mean "QVA". Returns 0.
int SetArchiveExtension(const char* text);
// Null switches the key string off; a longer text is cut to its first 12 bytes. Returns 0.
int SetArchiveKeyString(const char* text);

// The cache index of the archive of that upper-cased path (opened from `open_path` when not
// cached yet), holding one reference; -1 when it cannot be opened or 512 archives are in use.
// Mode 1 opens in whole-image mode, any other directory-only. An archive file that is there but
// refused becomes the look-up's refusal, and the first refusal of each path prints one line on
// the console naming the archive and the reason.
int OpenCachedArchive(int hint, const std::string& path, const std::string& open_path, int mode,
                      int asynchronous);
// Gives one reference back; a count never drops below 0.
void ReleaseCachedArchive(int index);
// Closes every cached archive no file or search uses.
void CloseIdleArchives();
// Shutdown: the same.
void CloseCachedArchives();

}  // namespace layer
