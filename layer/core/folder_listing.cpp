// Folder listings for the game's string operation.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "platform/directory_search.h"
#include "platform/display_name.h"
#include "platform/name_bytes.h"
#include "platform/text_encoding.h"

namespace layer {
namespace {

// True when the shown name is plain CP932, not one carrying escapes for characters that
// CP932 cannot hold.
bool HasCp932Form(const std::string& name) {
    const std::optional<std::string> plain = platform::Cp932ToUtf8Strict(name);
    return plain && plain == platform::GameNameToUtf8(name);
}

// The folder's wildcard "*": a separator is added unless the last character is one (a 0x5C
// second byte of a two-byte character is not).
std::string PatternInside(std::string folder) {
    bool endsInSeparator = false;
    for (std::size_t i = 0; i < folder.size(); i += platform::Cp932CharLength(folder, i))
        endsInSeparator = folder[i] == '\\' || folder[i] == '/';
    if (!folder.empty() && !endsInSeparator)
        folder += '\\';
    return folder + "*";
}

}  // namespace

int ListFolder(const char* path, void (*visit)(const char* name, void* context), void* context) {
    if (path == nullptr || visit == nullptr)
        return -1;
    const std::optional<std::vector<platform::DirectoryEntry>> entries =
        platform::SearchDirectory(PatternInside(path));
    if (!entries)
        return -1;
    std::vector<std::string> names;
    for (const platform::DirectoryEntry& entry : *entries) {
        if (entry.name == "." || entry.name == "..")
            continue;
        if (!HasCp932Form(entry.name)) {
            WriteLogFormat("ListFolder: %s has no CP932 name and is left out\n",
                           entry.name.c_str());
            continue;
        }
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        visit(name.c_str(), context);
    return static_cast<int>(names.size());
}

}  // namespace layer
