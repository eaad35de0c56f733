#include "game/map/view_motion.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "tests/game/map/map_state_fixture.h"

namespace game {
namespace {

std::vector<int> ShakeOffsets(MapState& mapState, int frames) {
    std::vector<int> offsets;
    for (int i = 0; i < frames; ++i) {
        StepViewMotion(mapState);
        offsets.push_back(mapState.horizontalShakeOffset);
    }
    return offsets;
}

TEST(ViewMotion, ScrollSpeedsFollowThePath) {
    struct Case {
        int h, v, code, speedX, speedY;
    } const cases[] = {{300, 400, 0, 1, 1},
                       {300, 400, 8, 60000000, 80000000},
                       {300, 400, 7, 153, 204},
                       {0, 0, 3, 1, 1},
                       {-64, 0, 2, 8, 1}};
    for (const Case& c : cases) {
        MapState mapState;
        StartViewScroll(mapState, c.h, c.v, c.code);
        EXPECT_EQ(mapState.scrollSpeedX, c.speedX) << c.h << "," << c.v << " code " << c.code;
        EXPECT_EQ(mapState.scrollSpeedY, c.speedY);
    }
}

TEST(ViewMotion, ScrollsStopAtTheMapEdgesUnlessTheAxisLoops) {
    MapState mapState = MakeLoadedMap(25, 20, MapData::kEmptyTile);
    mapState.scrollX = 10;
    StartViewScroll(mapState, -100, 0, 8);
    StepViewMotion(mapState);
    EXPECT_EQ(mapState.scrollX, 0);
    EXPECT_EQ(mapState.scrollLeftX, 0);

    ScrollViewRight(mapState, 100000);
    ScrollViewDown(mapState, 100000);
    EXPECT_EQ(mapState.scrollX, 4 * 25 * 32 - 80 * 32);
    EXPECT_EQ(mapState.scrollY, 4 * 20 * 32 - 60 * 32);

    mapState.loopsHorizontally = 1;
    ScrollViewLeft(mapState, 5000);
    EXPECT_EQ(mapState.scrollX, 640 - 5000);
}

TEST(ViewMotion, ASlowScrollCountsDownItsDistance) {
    MapState mapState = MakeLoadedMap(40, 40, MapData::kEmptyTile);
    StartViewScroll(mapState, 10, 0, 1);  // 4 quarter pixels a frame
    for (int expected : {4, 8, 10, 10}) {
        StepViewMotion(mapState);
        EXPECT_EQ(mapState.scrollX, expected);
    }
    EXPECT_EQ(mapState.scrollLeftX, 0);
}

TEST(ViewMotion, ShakesSwingAndEndWhereTheyCrossZero) {
    MapState mapState;
    SetViewShake(mapState, 1, 1, 1, 0);
    EXPECT_EQ(ShakeOffsets(mapState, 3), (std::vector<int>{0, 0, 0}));

    SetViewShake(mapState, 1, 1, 1, 1);
    const std::vector<int> offsets = ShakeOffsets(mapState, 40);
    EXPECT_EQ(std::vector<int>(offsets.begin(), offsets.begin() + 3),
              (std::vector<int>{25, 50, 75}));
    EXPECT_EQ(offsets[10], 275);  // beyond 128 x 2, so the swing turns
    EXPECT_EQ(offsets[11], 250);
    EXPECT_EQ(offsets.back(), 0);
    EXPECT_EQ(mapState.horizontalShakeCount, 0);
}

TEST(ViewMotion, ShakeOffsetsInPixels) {
    MapState mapState;
    mapState.horizontalShakeOffset = 256;
    mapState.verticalShakeOffset = -256;
    StepViewMotion(mapState);
    EXPECT_EQ(mapState.shakeOffsetX, 4);
    EXPECT_EQ(mapState.shakeOffsetY, -4);
}

TEST(ViewMotion, HugeShakesSaturateInsteadOfOverflowing) {
    MapState mapState;
    SetViewShake(mapState, 40, 40, 0, 3);
    EXPECT_EQ(mapState.verticalShakeAmplitude, 2147483647);
    for (int i = 0; i < 4; ++i)
        StepViewMotion(mapState);
    EXPECT_GT(mapState.verticalShakeOffset, 0);
    SetViewShake(mapState, -1, 0, 0, 0);
    EXPECT_EQ(mapState.verticalShakeAmplitude, 0);
}

TEST(ViewMotion, ZoomsGoOnFromWhatTheyReached) {
    MapState mapState;
    StartViewZoom(mapState, 320, 240, 200, 30);
    StepViewMotion(mapState);
    EXPECT_EQ(mapState.zoomPercent, 104);
    EXPECT_EQ(mapState.zoomCentreX, 320);
    for (int i = 1; i < 15; ++i)
        StepViewMotion(mapState);
    EXPECT_EQ(mapState.zoomPercent, 150);
    StartViewZoom(mapState, 0, 0, 100, 10);
    EXPECT_EQ(mapState.zoomStartPercent, 150);
    EXPECT_EQ(mapState.zoomStartCentreX, 320);
    for (int i = 0; i < 10; ++i)
        StepViewMotion(mapState);
    EXPECT_EQ(mapState.zoomPercent, 100);
    StepViewMotion(mapState);
    EXPECT_EQ(mapState.zoomCentreX, 0);
}

}  // namespace
}  // namespace game
