#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The running kernel: its release ("6.1.0-18-amd64") and machine name ("x86_64").
struct KernelRelease {
    std::string release;
    std::string machine;
};
KernelRelease ReadKernelRelease();

struct PhysicalMemory {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};
PhysicalMemory ReadPhysicalMemory();

}  // namespace platform
