#include <gtest/gtest.h>

#include <vector>

#include "game/map/move_route.h"
#include "tests/game/core/report_capture.h"
#include "tests/game/map/character_fixture.h"

namespace game {
namespace {

using MoveRouteRun = CharacterTest;

MoveRoute RouteOf(std::vector<MoveRouteStep> steps, std::uint8_t options = 0) {
    MoveRoute route;
    route.steps = std::move(steps);
    route.routeOptions = options;
    return route;
}

MoveRouteStep StepOf(std::uint8_t code, std::vector<std::int32_t> args = {}) {
    MoveRouteStep step;
    step.code = code;
    step.args = std::move(args);
    return step;
}

void BlockRight(int tileX, int tileY) {
    TheMapState.attributes[9] = 0x0F;
    for (auto& layer : TheMapState.mapData.tileLayers)
        layer[static_cast<std::size_t>(tileX)][static_cast<std::size_t>(tileY)] = 1;
}

TEST_F(MoveRouteRun, SettingsRunUpToAWaitInOneCall) {
    MapCharacter character;
    character.referenceId = 1;
    StartForcedRoute(character,
                     RouteOf({StepOf(29, {0x10005}), StepOf(32), StepOf(47, {3}), StepOf(36)}));
    EXPECT_EQ(character.speed, 5);
    EXPECT_EQ(character.steppingAnimation, 1);
    EXPECT_EQ(character.waitFrames, 3);
    EXPECT_EQ(character.directionFixed, 0);
    for (int i = 0; i < 3; ++i)
        UpdateCharacterMotion(character);
    EXPECT_EQ(character.directionFixed, 0);
    UpdateCharacterMotion(character);
    EXPECT_EQ(character.directionFixed, 1);
    // The route has ended: the forced flag is down and the old (empty) route is back.
    UpdateCharacterMotion(character);
    EXPECT_EQ(character.forcedRoute, 0);
}

TEST_F(MoveRouteRun, BlockedStepsWaitUnlessTheyMaySkip) {
    BlockRight(6, 5);
    struct Case {
        std::uint8_t options;
        int index;
        std::uint8_t forced;
    } const cases[] = {{0, 0, 1}, {2, 0, 0}};
    for (const Case& c : cases) {
        MapCharacter character;
        character.referenceId = 1;
        PlaceCharacter(character, 10, 10, 1);
        StartForcedRoute(character, RouteOf({StepOf(2), StepOf(2), StepOf(2)}, c.options));
        for (int i = 0; i < 5; ++i)
            UpdateCharacterMotion(character);
        EXPECT_EQ(character.x, 10);
        EXPECT_EQ(character.forcedRoute, c.forced);
        EXPECT_EQ(character.runningRouteIndex, c.index);
    }
}

TEST_F(MoveRouteRun, AForcedRouteResumesThePageRoute) {
    MapCharacter character;
    character.referenceId = 1;
    PlaceCharacter(character, 10, 10, 1);
    character.runningRoute = RouteOf({StepOf(8), StepOf(9), StepOf(10)});
    character.runningRouteIndex = 2;
    StartForcedRoute(character, RouteOf({StepOf(11)}));
    EXPECT_EQ(character.direction, 8);
    RunCharacterRoute(character);
    EXPECT_EQ(character.forcedRoute, 0);
    EXPECT_EQ(character.runningRouteIndex, 2);
    ASSERT_EQ(character.runningRoute.steps.size(), 3u);
    EXPECT_TRUE(character.savedRoute.steps.empty());
    RunCharacterRoute(character);
    EXPECT_EQ(character.direction, 6);
}

TEST_F(MoveRouteRun, AnEmptyRepeatingForcedRouteEnds) {
    MapCharacter character;
    StartForcedRoute(character, RouteOf({}, 1));
    EXPECT_EQ(character.forcedRoute, 0);
}

TEST_F(MoveRouteRun, OwnSelfVariablesAndOpacity) {
    EventCharacter& event = AddEvent(12, 4, 4);
    // Variable add on its own self variable 3, then opacity from it.
    TheVariableStore.StoreValueById(1000123, 250);
    StartForcedRoute(event, RouteOf({StepOf(55, {1100003, 50}), StepOf(45, {1100003})}));
    EXPECT_EQ(TheVariableStore.ReadValueById(1000123), 300);
    EXPECT_EQ(event.opacity, 255);
    EXPECT_EQ(TheMapState.pageRefreshRequest, 1);
    StartForcedRoute(event, RouteOf({StepOf(28, {1100003, -5}), StepOf(45, {1100003})}));
    EXPECT_EQ(event.opacity, 0);
}

// An event number from a damaged map names IDs that wrap like the game's 32-bit ints:
// 429496730 * 10 is 2^32 + 4, so its own self variable 3 is event 0's self variable 7.
TEST_F(MoveRouteRun, OwnIdsOfHugeEventNumbersWrap) {
    EventCharacter& event = AddEvent(429496730, 4, 4);
    TheVariableStore.StoreValueById(1000007, 250);
    StartForcedRoute(event, RouteOf({StepOf(55, {1100003, 5})}));
    EXPECT_EQ(TheVariableStore.ReadValueById(1000007), 255);
}

TEST_F(MoveRouteRun, CommonSelfVariablesAreReportedAndReadAsZero) {
    ReportCapture capture;
    MapCharacter character;
    StartForcedRoute(character, RouteOf({StepOf(29, {1600001})}));
    EXPECT_EQ(character.speed, 0);
    EXPECT_EQ(ReportCapture::errors().size(), 1u);
}

TEST_F(MoveRouteRun, GraphicNamesComeFromTheDatabase) {
    SysDataBase.types.resize(9);
    SysDataBase.ResizeDBDataList(8, 8);
    ASSERT_TRUE(SysDataBase.WriteDBString(8, 7, 0, "walker.png"));
    MapCharacter character;
    StartForcedRoute(character, RouteOf({StepOf(44, {7})}));
    EXPECT_EQ(character.graphicName, "walker.png");
}

}  // namespace
}  // namespace game
