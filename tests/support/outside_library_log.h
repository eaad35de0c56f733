#pragma once

#include <string>

#include "game/core/game_folder.h"
#include "layer/core/layer_api.h"

namespace test {

// The call log of a stand-in outside library in the game folder, read through `logEntry`
// by a second reference to the library.
inline std::string OutsideLibraryLog(const char* library, const char* logEntry) {
    const int handle = layer::LoadOutsideLibrary(game::GameFolder.c_str(), library);
    using LogEntry = const char* (*)();
    const auto log = reinterpret_cast<LogEntry>(layer::FindOutsideLibraryEntry(handle, logEntry));
    const std::string text = log != nullptr ? log() : "";
    layer::FreeOutsideLibrary(handle);
    return text;
}

}  // namespace test
