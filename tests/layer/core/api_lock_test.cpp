#include "layer/core/api_lock.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

#include "tests/support/bounded_wait.h"

namespace {

TEST(ApiLock, OwnerNestsAndOthersWaitForTheLastLeave) {
    layer::ApiLock lock;
    lock.Enter();
    lock.Enter();
    bool entered = false;
    std::thread other([&] {
        lock.Enter();
        entered = true;
        lock.Leave();
    });
    while (lock.waiting() == 0) {
        std::this_thread::yield();
    }
    lock.Leave();
    EXPECT_EQ(lock.waiting(), 1);
    EXPECT_FALSE(entered);
    lock.Leave();
    other.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(lock.waiting(), 0);
}

TEST(ApiLock, WaitingThreadsAreServedInTheirOrderOfArrival) {
    layer::ApiLock lock;
    std::mutex order_mutex;
    std::vector<int> order;
    std::vector<std::thread> threads;
    lock.Enter();
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&, i] {
            lock.Enter();
            {
                std::lock_guard guard(order_mutex);
                order.push_back(i);
            }
            lock.Leave();
        });
        while (lock.waiting() != i + 1) {
            std::this_thread::yield();
        }
    }
    lock.Leave();
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST(ApiLock, DestroyClearsAFreeLockOnly) {
    layer::ApiLock lock;
    EXPECT_FALSE(lock.created());
    lock.Enter();
    bool released = false;
    std::thread other([&] {
        lock.Enter();
        lock.Leave();
        released = true;
    });
    ASSERT_TRUE(test::WaitUntil([&] { return lock.waiting() == 1; }));
    lock.Destroy();
    EXPECT_TRUE(lock.created());
    EXPECT_EQ(lock.waiting(), 1);
    lock.Leave();
    other.join();
    EXPECT_TRUE(released);

    lock.Destroy();
    EXPECT_FALSE(lock.created());
    std::thread fresh([&] {
        lock.Enter();
        lock.Leave();
    });
    fresh.join();
    EXPECT_TRUE(lock.created());
    EXPECT_EQ(lock.waiting(), 0);
}

}  // namespace
