#pragma once

#include <cstdint>
#include <string>

namespace layer {

// Values measured at layer start-up and read across the layer. Texts are CP932.
struct SystemInfo {
    // System report.
    std::string os_description;
    int os_code = 0;
    bool has_mmx = false;
    bool has_sse = false;
    bool has_sse2 = false;
    bool has_time_stamp_counter = false;
    // Ticks per second of the CPU counter read by ReadMicrosecondClock.
    std::uint64_t cpu_counter_frequency = 0;
    int cpu_mhz = 0;
    std::string cpu_name;

    // Main window creation.
    std::uint64_t total_physical_memory = 0;
    std::uint64_t available_physical_memory = 0;
    int desktop_width = 0;
    int desktop_height = 0;
    int desktop_colour_bits = 0;
    // The charset index of the double-byte rule (kShiftJisCharset or kHangulCharset).
    int charset_index = 0;
    // 1 when the microsecond clock reads the performance counter rather than the millisecond
    // clock.
    bool uses_performance_counter = false;

    // Graphics start-up.
    std::string video_driver_name;
    std::string video_driver_description;
    std::uint64_t free_video_memory = 0;
    std::uint64_t total_video_memory = 0;
};

extern SystemInfo system_info;

}  // namespace layer
