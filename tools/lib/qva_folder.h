#pragma once

#include <filesystem>

#include "tools/lib/qva_writer.h"

namespace tools {

// The tree of a folder on disk: names converted to CP932, times from the modification times.
// Throws std::runtime_error naming a name that CP932 cannot hold or an entry that cannot be
// read.
QvaNode ReadQvaFolder(const std::filesystem::path& folder);

}  // namespace tools
