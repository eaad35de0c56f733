#include "platform/joypads.h"

#include <gtest/gtest.h>

namespace {

TEST(JoypadAxes, DeadZoneReadsZeroAndTheRestStretchesOverTheRange) {
    struct AxisCase {
        int value;
        int reading;
    };
    const platform::JoypadAxisSetting setting{1000, 2500};
    for (const AxisCase axis : {AxisCase{0, 0}, AxisCase{8191, 0}, AxisCase{-8192, 0},
                                AxisCase{8300, 4}, AxisCase{-8300, -4}, AxisCase{20479, 500},
                                AxisCase{32767, 1000}, AxisCase{-32768, -1000}}) {
        EXPECT_EQ(platform::ScaleJoypadAxis(axis.value, setting), axis.reading) << axis.value;
    }
}

}  // namespace
