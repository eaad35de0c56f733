#pragma once

#include <optional>
#include <string>

#include "platform/file.h"

namespace layer {

// A new, empty file of a unique name beginning "tmp" in the temporary folder, open for reading
// and writing by this process alone; its full game path goes to `path` when asked. nullopt
// when the folder or a name cannot be had.
std::optional<platform::File> CreateTemporaryFile(std::string* path);

}  // namespace layer
