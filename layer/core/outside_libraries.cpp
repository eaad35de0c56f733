// Outside libraries in the game folder, loaded at run time: the MIDI and speech libraries.
#include <optional>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/outside_library_texts.h"
#include "layer/media/builtin_midi_player.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "platform/outside_library.h"

namespace layer {
namespace {

struct LoadedLibrary {
    void* handle = nullptr;
    bool built_in = false;
    bool live = false;
};

std::vector<LoadedLibrary> libraries;

// The disk path of "<name>.so", else "lib<name>.so", in the folder. Anything there but a
// regular file (a FIFO would block the load) counts as missing.
std::optional<std::string> FindLibraryFile(const char* folder, const char* name) {
    const std::string base = std::string(folder) + "\\";
    for (const std::string& file : {std::string(name) + ".so", "lib" + std::string(name) + ".so"}) {
        if (!platform::IsRegularFile(base + file)) {
            continue;
        }
        if (std::optional<std::string> disk = platform::ResolveGamePath(base + file)) {
            return disk;
        }
    }
    return std::nullopt;
}

int Store(LoadedLibrary library) {
    library.live = true;
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        if (!libraries[i].live) {
            libraries[i] = library;
            return static_cast<int>(i);
        }
    }
    libraries.push_back(library);
    return static_cast<int>(libraries.size() - 1);
}

LoadedLibrary* Find(int library) {
    if (library < 0 || static_cast<std::size_t>(library) >= libraries.size() ||
        !libraries[static_cast<std::size_t>(library)].live) {
        return nullptr;
    }
    return &libraries[static_cast<std::size_t>(library)];
}

}  // namespace

int IsOutsideLibraryPresent(const char* folder, const char* name) {
    return folder != nullptr && name != nullptr && FindLibraryFile(folder, name) ? 1 : 0;
}

int LoadOutsideLibrary(const char* folder, const char* name) {
    if (folder == nullptr || name == nullptr) {
        return -1;
    }
    const std::optional<std::string> file = FindLibraryFile(folder, name);
    if (!file) {
        if (std::string(name) == kBuiltInMidiLibrary) {
            return Store({nullptr, true});
        }
        return WriteLogFormat(kOutsideLibraryMissingText, name);
    }
    std::string error;
    void* handle = platform::OpenSharedLibrary(*file, &error);
    if (handle == nullptr) {
        return WriteLogFormat(kOutsideLibraryLoadFailedText, name, error.c_str());
    }
    return Store({handle, false});
}

void* FindOutsideLibraryEntry(int library, const char* entry) {
    const LoadedLibrary* loaded = Find(library);
    if (loaded == nullptr || entry == nullptr) {
        return nullptr;
    }
    return loaded->built_in ? FindBuiltInMidiEntry(entry)
                            : platform::FindSharedLibraryEntry(loaded->handle, entry);
}

int FreeOutsideLibrary(int library) {
    LoadedLibrary* loaded = Find(library);
    if (loaded == nullptr) {
        return -1;
    }
    platform::CloseSharedLibrary(loaded->handle);
    *loaded = LoadedLibrary{};
    return 0;
}

}  // namespace layer
