#include "platform/manual_reset_event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(ManualResetEvent, StaysSetUntilReset) {
    platform::ManualResetEvent event;
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.WaitFor(0));
    event.Set();
    EXPECT_TRUE(event.IsSet());
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_TRUE(event.WaitFor(0));  // waiting does not consume it
    event.Reset();
    EXPECT_FALSE(event.IsSet());
    EXPECT_TRUE(platform::ManualResetEvent(true).IsSet());
}

TEST(ManualResetEvent, TimedWaitRunsOut) {
    platform::ManualResetEvent event;
    EXPECT_FALSE(event.WaitFor(20));
    EXPECT_FALSE(event.WaitFor(-5));
}

TEST(ManualResetEvent, SetWakesEveryWaiter) {
    platform::ManualResetEvent event;
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            event.Wait();
            ++woken;
        });
    }
    std::thread timed([&] { EXPECT_TRUE(event.WaitFor(60'000)); });
    event.Set();
    for (std::thread& waiter : waiters)
        waiter.join();
    timed.join();
    EXPECT_EQ(woken.load(), 3);
}

}  // namespace
