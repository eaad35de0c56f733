#include <string>

#include "layer/core/archive_file_operations.h"
#include "layer/core/archive_search.h"
#include "layer/core/archive_state.h"
#include "layer/core/layer_api.h"
#include "layer/core/tracked_object.h"

namespace layer {
namespace {

ArchiveState state;

void CloseSlot(ArchiveCacheEntry* entry) {
    CloseArchive(entry->archive);
    DeleteTracked(entry->archive);
    *entry = ArchiveCacheEntry{};
    --state.cache_count;
}

void NoteRefusal(const std::string& path, const std::string& open_path, const char* why) {
    state.look_up_refusal = open_path;
    if (state.refused.insert(path).second) {
        PrintConsoleText(
            ("qvarn: archive " + open_path + " was not opened: " + why + "\n").c_str());
    }
}

QvaArchive* OpenArchive(const std::string& path, const std::string& open_path, int mode,
                        int asynchronous) {
    QvaArchive* archive = NewTracked<QvaArchive>(__FILE__, __LINE__);
    if (archive == nullptr) {
        return nullptr;
    }
    const char* key = state.key_on != 0 ? state.key.c_str() : nullptr;
    const char* refusal = nullptr;
    const int result =
        mode == 1 ? OpenArchiveImage(archive, open_path.c_str(), key, asynchronous, &refusal)
                  : OpenArchiveDirectory(archive, open_path.c_str(), key, &refusal);
    if (result != 0) {
        DeleteTracked(archive);
        if (refusal != nullptr) {
            NoteRefusal(path, open_path, refusal);
        }
        return nullptr;
    }
    return archive;
}

}  // namespace

ArchiveState& Archives() {
    return state;
}

void ClearArchiveState() {
    for (OpenFileRecord*& record : state.open_files) {
        if (record != nullptr) {
            CloseOpenFileRecord(record);
            record = nullptr;
        }
    }
    CloseArchiveSearches();
    for (ArchiveCacheEntry& entry : state.cache) {
        if (entry.archive != nullptr) {
            CloseSlot(&entry);
        }
    }
    state.cache_count = 0;
    state.open_count = 0;
    state.extension.clear();
    state.key_on = 0;
    state.key.clear();
    state.prefix = CachedArchivePrefix{};
    state.refused.clear();
    state.look_up_refusal.clear();
}

int SetArchiveExtension(const char* text) {
    const std::string extension = text != nullptr ? text : "";
    state.extension = extension.size() <= kMaxArchiveExtensionLength ? extension : std::string();
    return 0;
}

int SetArchiveKeyString(const char* text) {
    state.key_on = text != nullptr ? 1 : 0;
    state.key = std::string(text != nullptr ? text : "").substr(0, kArchiveKeySize);
    return 0;
}

int OpenCachedArchive(int hint, const std::string& path, const std::string& open_path, int mode,
                      int asynchronous) {
    if (hint >= 0 && hint < kMaxCachedArchives && state.cache[hint].archive != nullptr &&
        state.cache[hint].path == path) {
        ++state.cache[hint].references;
        return hint;
    }
    for (int i = 0; i < kMaxCachedArchives; ++i) {
        if (state.cache[i].archive != nullptr && state.cache[i].path == path) {
            ++state.cache[i].references;
            return i;
        }
    }
    if (state.cache_count == kMaxCachedArchives) {
        CloseIdleArchives();
    }
    int slot = 0;
    while (slot < kMaxCachedArchives && state.cache[slot].archive != nullptr) {
        ++slot;
    }
    if (slot == kMaxCachedArchives) {
        return -1;
    }
    QvaArchive* archive = OpenArchive(path, open_path, mode, asynchronous);
    if (archive == nullptr) {
        return -1;
    }
    state.cache[slot] = ArchiveCacheEntry{1, archive, path};
    ++state.cache_count;
    return slot;
}

void ReleaseCachedArchive(int index) {
    if (index >= 0 && index < kMaxCachedArchives && state.cache[index].references > 0) {
        --state.cache[index].references;
    }
}

void CloseIdleArchives() {
    for (ArchiveCacheEntry& entry : state.cache) {
        if (entry.archive != nullptr && entry.references <= 0) {
            CloseSlot(&entry);
        }
    }
}

void CloseCachedArchives() {
    CloseIdleArchives();
}

}  // namespace layer
