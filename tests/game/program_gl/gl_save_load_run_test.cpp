// The demo saved and loaded at the save stone on the OpenGL route (the demo started on the
// offscreen driver), the frame after the load compared with the software route's golden.
#include <gtest/gtest.h>

#include <vector>

#include "tests/game/program/save_load_run_steps.h"
#include "tests/support/golden.h"

namespace game {
namespace {

using GlSaveStoneRun = OnGlRoute<SaveStoneRun>;

// The text picture the load brings back.
const std::vector<test::PictureArea> kAfterLoadText{{19, 379, 101, 401}};

TEST_F(GlSaveStoneRun, TheFrameAfterALoadThroughTheStonesMenus) {
    ASSERT_NO_FATAL_FAILURE(SaveAndLoadAtTheStone());
    const test::RgbaImage frame = ShownFrame();
    std::vector<test::RouteRule> rules{test::RouteRule{}};
    for (const test::RouteRule& text : test::TextAreaRules(kAfterLoadText))
        rules.push_back(text);
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(frame, "game/program/after-load", rules));
    EXPECT_TRUE(test::TextAreasMatchGoldens(frame, "game/program/after-load", kAfterLoadText));
}

}  // namespace
}  // namespace game
