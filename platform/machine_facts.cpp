#include "platform/machine_facts.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace platform {

KernelRelease ReadKernelRelease() {
    utsname name{};
    if (uname(&name) != 0) {
        return {};
    }
    return {name.release, name.machine};
}

PhysicalMemory ReadPhysicalMemory() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return {};
    }
    const std::uint64_t unit = info.mem_unit;
    return {info.totalram * unit, (info.freeram + info.bufferram) * unit};
}

}  // namespace platform
