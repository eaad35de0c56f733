#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "layer/core/layer_api.h"
#include "tests/layer/core/log_capture.h"

namespace {

class LayerEntriesTest : public test::LogCapture {};

TEST_F(LayerEntriesTest, PendingEntriesLogAndFail) {
    struct EntryCase {
        const char* name;
        int (*call)();
        int result;
    };
    const EntryCase cases[] = {
        {"CreateTextInput", [] { return layer::CreateTextInput(8, 0, 0, 0); }, -1},
        {"DeleteTextInput", [] { return layer::DeleteTextInput(1); }, -1},
        {"SetTextInputColors",
         [] { return layer::SetTextInputColors(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); }, 0},
    };
    std::string expected;
    for (const EntryCase& entry : cases) {
        EXPECT_EQ(entry.call(), entry.result) << entry.name;
        expected += std::string("0:") + entry.name + ": not available yet\r\n";
    }
    EXPECT_EQ(ReadLog(), expected);
}

TEST_F(LayerEntriesTest, MillisecondsHaveTheTopBitCleared) {
    struct ClockCase {
        std::uint64_t milliseconds;
        int expected;
    };
    for (const ClockCase& reading :
         {ClockCase{1234, 1234}, ClockCase{0x80000007u, 7}, ClockCase{0x17FFFFFFFu, 0x7FFFFFFF}}) {
        platform::InstallFakeClock(reading.milliseconds * 1'000'000);
        EXPECT_EQ(layer::GetMilliseconds(), reading.expected);
    }
}

TEST_F(LayerEntriesTest, LogConsoleIsHidden) {
    EXPECT_EQ(layer::IsLogConsoleVisible(), 0);
}

}  // namespace
