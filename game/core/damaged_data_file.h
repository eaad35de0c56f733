#pragma once

#include <string>

namespace game {

// Reports a damaged or tampered data file in the error box and ends the program with exit
// code 1; nothing of the file is used.
[[noreturn]] void StopOnDamagedDataFile(const std::string& fileName);

}  // namespace game
