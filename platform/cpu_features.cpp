#include "platform/cpu_features.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include <cstring>

namespace platform {

#if defined(__x86_64__) || defined(__i386__)

namespace {

constexpr unsigned kTimeStampCounterBit = 1u << 4;
constexpr unsigned kMmxBit = 1u << 23;
constexpr unsigned kSseBit = 1u << 25;
constexpr unsigned kSse2Bit = 1u << 26;
constexpr unsigned kBrandLastLeaf = 0x80000004u;

std::string ReadBrand() {
    // The highest extended leaf comes back as int with clang and as unsigned with gcc.
    if (static_cast<unsigned>(__get_cpuid_max(0x80000000u, nullptr)) < kBrandLastLeaf) {
        return {};
    }
    char brand[49] = {};
    for (unsigned leaf = 0; leaf < 3; ++leaf) {
        unsigned registers[4] = {};
        __get_cpuid(0x80000002u + leaf, &registers[0], &registers[1], &registers[2], &registers[3]);
        std::memcpy(brand + leaf * 16, registers, 16);
    }
    return brand;
}

}  // namespace

CpuFeatures ReadCpuFeatures() {
    CpuFeatures features;
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) {
        return features;
    }
    features.has_identification = true;
    char vendor[13] = {};
    std::memcpy(vendor, &ebx, 4);
    std::memcpy(vendor + 4, &edx, 4);
    std::memcpy(vendor + 8, &ecx, 4);
    features.vendor = vendor;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0) {
        features.has_time_stamp_counter = (edx & kTimeStampCounterBit) != 0;
        features.has_mmx = (edx & kMmxBit) != 0;
        features.has_sse = (edx & kSseBit) != 0;
        features.has_sse2 = (edx & kSse2Bit) != 0;
    }
    features.brand = ReadBrand();
    return features;
}

#else

CpuFeatures ReadCpuFeatures() {
    return {};
}

#endif

}  // namespace platform
