#include "layer/core/file_lifecycle.h"

#include "layer/core/archive_state.h"
#include "layer/core/file_operation_table.h"

namespace layer {

int ResetFileSystem() {
    ClearArchiveState();
    return InstallFileOperations(nullptr);
}

std::string ReadStartupDirectory() {
    std::string directory;
    DispatchGetCurrentDir(&directory);
    return directory;
}

int EndFileSystem(const std::string& startup_directory) {
    DispatchSetCurrentDir(startup_directory.c_str());
    CloseCachedArchives();
    return 0;
}

}  // namespace layer
