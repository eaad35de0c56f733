#pragma once

#include <cstdint>
#include <string>

#include "layer/core/time_routines.h"

namespace layer {

// What a directory search tells of one match.
struct FileInfo {
    std::string name;
    int directory = 0;  // 1 for a directory
    std::uint32_t size_low = 0;
    std::uint32_t size_high = 0;
    DateTime creation_time;
    DateTime last_write_time;
};

}  // namespace layer
