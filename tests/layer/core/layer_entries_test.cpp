#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "layer/core/layer_api.h"
#include "tests/layer/core/log_capture.h"

namespace {

class LayerEntriesTest : public test::LogCapture {};

// Handles that name no key-input string: a value of another kind, a free slot, a negative one.
TEST_F(LayerEntriesTest, KeyInputEntriesRefuseBadHandlesWithoutALogLine) {
    for (const int handle : {0x50000000 | 3, 10 << 27, -1, 1}) {
        SCOPED_TRACE(handle);
        char text[4] = "x";
        EXPECT_EQ(layer::DeleteTextInput(handle), -1);
        EXPECT_EQ(layer::GetTextInputState(handle), -1);
        EXPECT_EQ(layer::SetTextInputString("abc", handle), -1);
        EXPECT_EQ(layer::GetTextInputString(text, sizeof text, handle), -1);
        EXPECT_STREQ(text, "x");
        EXPECT_EQ(layer::DrawTextInput(0, 0, handle), -1);
        if (handle != -1) {
            EXPECT_EQ(layer::ActivateTextInput(handle), -1);
        }
    }
    EXPECT_EQ(ReadLog(), "");
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
