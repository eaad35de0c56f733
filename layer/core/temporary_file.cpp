#include "layer/core/temporary_file.h"

#include <stdlib.h>

#include "platform/file_system.h"
#include "platform/game_path.h"

namespace layer {

std::optional<platform::File> CreateTemporaryFile(std::string* path) {
    const std::optional<std::string> folder =
        platform::ResolveGamePath(platform::TemporaryFolder());
    if (!folder) {
        return std::nullopt;
    }
    std::string name = platform::JoinDiskPath(*folder, "tmpXXXXXX");
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        return std::nullopt;
    }
    if (path != nullptr) {
        *path = platform::DiskPathToGamePath(name);
    }
    return platform::File(descriptor);
}

}  // namespace layer
