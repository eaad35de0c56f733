#include "platform/clock.h"

#include <atomic>
#include <ctime>
#include <thread>

namespace platform {
namespace {

std::atomic<bool> fake_installed{false};
std::atomic<std::uint64_t> fake_nanoseconds{0};
std::atomic<FakeClockListener> fake_listener{nullptr};

std::uint64_t RealNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
           static_cast<std::uint64_t>(now.tv_nsec);
}

}  // namespace

std::uint64_t MonotonicNanoseconds() {
    return fake_installed.load() ? fake_nanoseconds.load() : RealNanoseconds();
}

std::uint32_t MonotonicMilliseconds() {
    return static_cast<std::uint32_t>(MonotonicNanoseconds() / 1000000u);
}

void SleepMilliseconds(int milliseconds) {
    if (fake_installed.load()) {
        if (milliseconds > 0)
            AdvanceFakeClock(static_cast<std::uint64_t>(milliseconds) * 1000000u);
        return;
    }
    if (milliseconds <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

LocalTime LocalTimeOf(std::int64_t unix_seconds) {
    const std::time_t seconds = static_cast<std::time_t>(unix_seconds);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    LocalTime result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    result.day_of_week = parts.tm_wday;
    return result;
}

LocalTime ReadLocalTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    LocalTime result = LocalTimeOf(now.tv_sec);
    result.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
    return result;
}

void InstallFakeClock(std::uint64_t start_nanoseconds) {
    fake_nanoseconds.store(start_nanoseconds);
    fake_installed.store(true);
}

void RemoveFakeClock() {
    fake_installed.store(false);
}

bool IsFakeClockInstalled() {
    return fake_installed.load();
}

void AdvanceFakeClock(std::uint64_t nanoseconds) {
    fake_nanoseconds.fetch_add(nanoseconds);
    if (const FakeClockListener listener = fake_listener.load()) {
        listener(nanoseconds);
    }
}

void SetFakeClockListener(FakeClockListener listener) {
    fake_listener.store(listener);
}

}  // namespace platform
