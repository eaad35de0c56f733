#include "layer/core/system_report.h"

#include <cstdint>
#include <string>

#include "layer/core/elapsed_time.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/startup_texts.h"
#include "layer/core/system_info.h"
#include "layer/core/text_format.h"
#include "platform/clock.h"
#include "platform/cpu_features.h"
#include "platform/machine_facts.h"

namespace layer {
namespace {

constexpr const char* kVersion = "2.25c";
// The code of the newest system family the layer tells apart without a display branch of its
// own.
constexpr int kOsCode = 0x107;
constexpr int kBuildNumber = 0;
constexpr std::size_t kDescriptionSize = 256;
constexpr int kSpeedWatchMilliseconds = 100;

void LogOperatingSystem() {
    WriteLog(kOsLabelText);
    const platform::KernelRelease kernel = platform::ReadKernelRelease();
    const std::string name = "Linux " + kernel.release;
    char description[kDescriptionSize];
    FormatText(description, sizeof description, "%s ( Build %d %s )", name.c_str(), kBuildNumber,
               kernel.machine.c_str());
    system_info.os_description = description;
    system_info.os_code = kOsCode;
    WriteLogFormat("%s", description);
}

// The counter's ticks over a tenth of a second give its frequency and the processor's speed.
void MeasureCounterSpeed() {
    const std::uint64_t first = ReadCpuCounter();
    const int start = ReadMillisecondClock();
    while (MillisecondsSince(start) < kSpeedWatchMilliseconds) {
        platform::SleepMilliseconds(0);
    }
    const std::uint64_t ticks = ReadCpuCounter() - first;
    system_info.cpu_counter_frequency = ticks * 10;
    system_info.cpu_mhz = static_cast<int>(static_cast<double>(ticks) * 0.00001);
    WriteLogFormat(kCpuSpeedFormat, system_info.cpu_mhz * 0.001);
}

// 0 without the identification instruction, 1 without MMX, 3 with MMX, 4 with SSE too, 5 with
// SSE2 as well.
int FeatureLevel(const platform::CpuFeatures& features) {
    if (!features.has_identification) {
        return 0;
    }
    if (!features.has_mmx) {
        return 1;
    }
    if (!features.has_sse) {
        return 3;
    }
    return features.has_sse2 ? 5 : 4;
}

void LogFeatures(int level) {
    if (level == 1) {
        WriteLog(kNoMmxText);
        return;
    }
    WriteLog(kUsingMmxText);
    system_info.has_mmx = true;
    if (level >= 4) {
        WriteLog(kSseAvailableText);
        system_info.has_sse = true;
    }
    if (level == 5) {
        WriteLog(kSse2AvailableText);
        system_info.has_sse2 = true;
    }
}

void LogProcessor() {
    const platform::CpuFeatures features = platform::ReadCpuFeatures();
    system_info.has_time_stamp_counter = features.has_time_stamp_counter;
    if (features.has_time_stamp_counter) {
        MeasureCounterSpeed();
    }
    const int level = FeatureLevel(features);
    if (level == 0) {
        WriteLog(kNoCpuIdText);
        return;
    }
    LogFeatures(level);
    WriteLog(kCpuVendorText);
    WriteLog(features.vendor.c_str());
    WriteLog("\n");
    if (!features.brand.empty()) {
        WriteLogFormat(kCpuNameFormat, features.brand.c_str());
        system_info.cpu_name = features.brand;
    }
}

}  // namespace

int LogSystemReport() {
    WriteLog(kSystemReportText);
    IncreaseLogIndent();
    char version[kDescriptionSize];
    FormatText(version, sizeof version, kVersionFormat, kVersion);
    WriteLog(version);
    LogOperatingSystem();
    LogProcessor();
    DecreaseLogIndent();
    return 0;
}

}  // namespace layer
