#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/game_path.h"

namespace platform {

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path())
        return std::string();
    return DiskPathToGamePath(program.parent_path().string());
}

}  // namespace platform
