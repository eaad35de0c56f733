#pragma once

#include <string>

namespace game {

// printf-style formatting into a string of any length; texts stay CP932 bytes.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace game
