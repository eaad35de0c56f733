// The map scene's frame loop on the running demo.
#include "game/program/frame_loop.h"

#include <gtest/gtest.h>

#include "game/core/screen_state.h"
#include "tests/game/program/demo_run_fixture.h"

namespace game {
namespace {

class FrameLoop : public DemoRun {};

TEST_F(FrameLoop, ARunLimitedToAFrameCountDrawsItsLastFrame) {
    Start(30);
    // The pacing found the frame before late, and a new run of the loop starts its
    // accumulator short of a drawing: only the frame limit makes this frame draw.
    scene_->pacing.drawDue = 0;
    TheScreenState.drawTime = -1;
    Run(1);
    EXPECT_GE(TheScreenState.drawTime, 0);
}

}  // namespace
}  // namespace game
