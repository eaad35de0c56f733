#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace test {

// Installs the platform's fake clock for the scope: readings start at `start_nanoseconds`
// and sleeps advance it instead of waiting.
class FakeClockScope {
  public:
    explicit FakeClockScope(std::uint64_t start_nanoseconds = 0) {
        platform::InstallFakeClock(start_nanoseconds);
    }
    ~FakeClockScope() { platform::RemoveFakeClock(); }
    FakeClockScope(const FakeClockScope&) = delete;
    FakeClockScope& operator=(const FakeClockScope&) = delete;

    void Advance(std::uint64_t nanoseconds) const { platform::AdvanceFakeClock(nanoseconds); }
};

}  // namespace test
