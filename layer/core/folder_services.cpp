// Folders and font files for the game's start-up and shutdown.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "platform/directory_search.h"
#include "platform/file_system.h"
#include "platform/fonts/font_config.h"
#include "platform/program_folder.h"

namespace layer {
namespace {

int CopyOut(std::string path, char* buffer, int capacity) {
    if (path.size() > 1 && EndsWithPathSeparator(path.c_str()) == 1)
        path.pop_back();
    if (buffer == nullptr || capacity <= 0 || path.size() + 1 > static_cast<std::size_t>(capacity))
        return -1;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<int>(path.size() + 1);
}

}  // namespace

int GetCurrentFolderPath(char* buffer, int capacity) {
    return CopyOut(platform::GetCurrentFolder(), buffer, capacity);
}

int GetProgramFolderPath(char* buffer, int capacity) {
    const std::string folder = platform::ProgramFolder();
    return folder.empty() ? -1 : CopyOut(folder, buffer, capacity);
}

int AddFontResourceFile(const char* path) {
    return path != nullptr && platform::AddFontFile(path) == 1 ? 0 : -1;
}

int RemoveFontResourceFile(const char* path) {
    return path != nullptr && platform::RemoveFontFile(path) == 1 ? 0 : -1;
}

int ForEachMatchingFile(const char* pattern, void (*visit)(const char* name, void* context),
                        void* context) {
    if (pattern == nullptr || visit == nullptr)
        return -1;
    const std::optional<std::vector<platform::DirectoryEntry>> entries =
        platform::SearchDirectory(pattern);
    if (!entries)
        return -1;
    int count = 0;
    for (const platform::DirectoryEntry& entry : *entries) {
        if (entry.is_folder)
            continue;
        visit(entry.name.c_str(), context);
        ++count;
    }
    return count;
}

}  // namespace layer
