#pragma once

#include <string>

namespace platform {

// What the processor identification instruction tells; all empty where there is none.
struct CpuFeatures {
    bool has_identification = false;
    std::string vendor;  // 12 characters
    std::string brand;   // up to 48 characters, empty when not reported
    bool has_time_stamp_counter = false;
    bool has_mmx = false;
    bool has_sse = false;
    bool has_sse2 = false;
};

CpuFeatures ReadCpuFeatures();

}  // namespace platform
