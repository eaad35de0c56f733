#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/sjis.h"

namespace {

TEST(InstanceLock, SecondHolderFailsUntilRelease) {
    platform::InstanceLock first;
    platform::InstanceLock second;
    ASSERT_TRUE(first.Acquire("GameWindowClass"));
    EXPECT_TRUE(first.held());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(second.Acquire("GameWindowClass"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "qvarn: another copy of this game is running; this one ends\n");
    EXPECT_FALSE(second.held());
    first.Release();
    EXPECT_TRUE(second.Acquire("GameWindowClass"));
}

TEST(InstanceLock, DifferentNamesDoNotMeet) {
    platform::InstanceLock first;
    platform::InstanceLock second;
    ASSERT_TRUE(first.Acquire(test::Sjis(u8"ゲーム")));
    EXPECT_TRUE(second.Acquire("OtherClass"));
}

TEST(InstanceLock, DestructionAndMoveKeepOneHolder) {
    platform::InstanceLock other;
    {
        platform::InstanceLock first;
        ASSERT_TRUE(first.Acquire("MovedClass"));
        platform::InstanceLock moved = std::move(first);
        EXPECT_FALSE(first.held());
        EXPECT_FALSE(other.Acquire("MovedClass"));
    }
    EXPECT_TRUE(other.Acquire("MovedClass"));
}

TEST(InstanceLock, WithoutRuntimeFolderUsesTemporaryFolder) {
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    unsetenv("XDG_RUNTIME_DIR");
    platform::InstanceLock first;
    platform::InstanceLock second;
    EXPECT_TRUE(first.Acquire("TempClass"));
    EXPECT_FALSE(second.Acquire("TempClass"));
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace
