// The demo's picture scenes played through the real frame loop on the OpenGL route (the demo
// started on the offscreen driver) and compared with the software route's goldens.
#include <gtest/gtest.h>

#include <vector>

#include "tests/game/program/demo_picture_steps.h"

namespace game {
namespace {

using GlDemoPictures = OnGlRoute<DemoPictures>;

// The title's greeting on the map, under the whole text rule.
const std::vector<test::PictureArea> kTitleTransitionText{{16, 302, 104, 326}};

// The rule image is a ring whose soft ramp steps by 4, 2 or 1 on the hardware where the
// software renderer takes its weight table (as in the rule transition scene), so across the
// ring the frame has a GL golden of its own; inside the ring and in the corners it leaves, the
// software route's golden holds.
TEST_F(GlDemoPictures, TheTitleHalfWayThroughItsRuleTransition) {
    ASSERT_NO_FATAL_FAILURE(PlayTheTitleIntoItsRuleTransition());
    const test::RgbaImage frame = Frame();
    const char* const band = "the ramp band: checked against the GL golden below";
    const char* const beside = "inside or outside the ramp band";
    std::vector<test::RouteRule> rules{test::AreaRule({0, 0, 640, 480}, 255, 0.0, band),
                                       test::AreaRule({210, 130, 430, 350}, 2, 0.0, beside),
                                       test::AreaRule({0, 0, 90, 480}, 2, 0.0, beside),
                                       test::AreaRule({550, 0, 640, 480}, 2, 0.0, beside),
                                       test::AreaRule({0, 0, 110, 90}, 2, 0.0, beside),
                                       test::AreaRule({530, 0, 640, 90}, 2, 0.0, beside),
                                       test::AreaRule({0, 400, 110, 480}, 2, 0.0, beside),
                                       test::AreaRule({530, 400, 640, 480}, 2, 0.0, beside)};
    for (const test::RouteRule& text : test::TextAreaRules(kTitleTransitionText))
        rules.push_back(text);
    EXPECT_TRUE(
        test::MatchesGoldenOnOtherRoute(frame, "game/presentation/demo-title-transition", rules));
    EXPECT_TRUE(test::TextAreasMatchGoldens(frame, "game/presentation/demo-title-transition",
                                            kTitleTransitionText));
    EXPECT_TRUE(test::MatchesGolden(frame, "game/program_gl/demo-title-transition", 2));
}

// The gallery's message, two lines, and the text picture beside it.
const std::vector<test::PictureArea> kGalleryText{
    {15, 304, 205, 326}, {15, 331, 205, 354}, {439, 296, 592, 319}};

TEST_F(GlDemoPictures, TheGalleryWithItsMessageUp) {
    ASSERT_NO_FATAL_FAILURE(PlayTheGalleryToItsMessage());
    const test::RgbaImage frame = Frame();
    std::vector<test::RouteRule> rules{
        test::RouteRule{}, test::AreaRule({250, 150, 298, 198}, 3, 0.005,
                                          "blend kind 3 (multiplied and faded): the software "
                                          "renderer shifts the product down by 8 bits and floors "
                                          "the fade, the hardware divides by 255 and rounds once; "
                                          "over the toned map, itself a step apart")};
    for (const test::RouteRule& text : test::TextAreaRules(kGalleryText))
        rules.push_back(text);
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(frame, "game/presentation/demo-gallery", rules));
    EXPECT_TRUE(test::TextAreasMatchGoldens(frame, "game/presentation/demo-gallery", kGalleryText));
}

}  // namespace
}  // namespace game
