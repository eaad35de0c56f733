#pragma once

#include <string>

namespace game {

// Reports a damaged or tampered data file in the error box; nothing of the file is used.
void ReportDamagedDataFile(const std::string& fileName);

// Reports it and ends the program with exit code 1.
[[noreturn]] void StopOnDamagedDataFile(const std::string& fileName);

}  // namespace game
