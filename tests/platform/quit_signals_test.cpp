#include "platform/quit_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

namespace platform {
namespace {

// The handlers stay for the life of a process, so every case runs in a child process.

TEST(QuitSignalsDeathTest, TheFirstSignalIsTakenOnceAsAQuitRequest) {
    EXPECT_EXIT(
        {
            CatchQuitSignals(60);
            const bool before = TakeQuitSignal();
            raise(SIGTERM);
            const bool first = TakeQuitSignal();
            const bool again = TakeQuitSignal();
            _exit(!before && first && !again ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(QuitSignalsDeathTest, ASecondSignalEndsTheProgramAtOnce) {
    EXPECT_EXIT(
        {
            CatchQuitSignals(60);
            raise(SIGINT);
            raise(SIGTERM);
            _exit(0);
        },
        testing::ExitedWithCode(128 + SIGINT), "Quit signal not answered");
}

TEST(QuitSignalsDeathTest, AProgramThatDoesNotEndInTimeIsEnded) {
    EXPECT_EXIT(
        {
            CatchQuitSignals(1);
            raise(SIGTERM);
            for (;;)
                pause();
        },
        testing::ExitedWithCode(128 + SIGTERM), "Quit signal not answered");
}

}  // namespace
}  // namespace platform
