// The move-route command run by common events through whole map frames: map update, main
// interpreter, hero update.
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>

#include "game/core/common_event.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_update.h"
#include "game/map/party.h"
#include "tests/game/map/character_fixture.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

using tools::CommandListBuilder;

constexpr int kStepRight = 2;
constexpr std::int32_t kEventX = 9100012;  // half-tile x of map event 1
constexpr std::int32_t kHeroX = 9180002;
constexpr std::int32_t kFirstMemberX = 9180012;
constexpr std::int32_t kV0 = 2000000;
constexpr std::int32_t kV1 = 2000001;
constexpr std::int32_t kV2 = 2000002;

MoveRoute Steps(std::initializer_list<std::uint8_t> codes) {
    MoveRoute route;
    for (std::uint8_t code : codes) {
        MoveRouteStep step;
        step.code = code;
        route.steps.push_back(step);
    }
    return route;
}

// Vn = value, where a value of 1000000 or more reads that ID.
CommandListBuilder& Store(CommandListBuilder& list, std::int32_t target, std::int32_t value) {
    return list.Add(121, {target, value, 0, 0});
}

// Map event 1 stands at tile (4, 3), the hero and its members at tile (10, 10).
class MoveRouteCommand : public CharacterTest {
  protected:
    void SetUp() override {
        CharacterTest::SetUp();
        TheScreenState.SceneNumber = 1;
        TheVariableStore.variableSets[0].resize(10);
        AddEvent(1, 8, 6);
        PlaceCharacter(TheParty, 20, 20, 1);
        GatherParty(TheParty);
    }

    // Common event 0 runs `list` while V0 is 0: automatically in the main interpreter, or in
    // parallel beside it.
    static void Script(const CommandListBuilder& list, bool parallel = false) {
        CommonEvent& event = CommonEvents.events[0];
        event.trigger = parallel ? 0x22 : 0x21;
        event.conditionVariable = kV0;
        event.commands = list.Build();
        TheMainInterpreter.SetUpInterpreter(0, true);
        if (parallel)
            TheMapState.parallelCommonEvents.emplace_back(0);
    }

    static void Frame() {
        UpdateMap(TheMapState);
        RunInterpreter(TheMainInterpreter);
        UpdateHero(TheParty);
    }

    static bool RouteRuns() {
        return TheParty.forcedRoute != 0 || TheParty.members[0].forcedRoute != 0 ||
               TheMapState.eventCharacters[0].forcedRoute != 0;
    }

    static std::int32_t Read(std::int32_t id) { return TheVariableStore.ReadValueById(id); }
};

TEST_F(MoveRouteCommand, AnEventStepsRightAndItsPositionReadsNine) {
    CommandListBuilder list;
    list.AddRoute(201, {1}, Steps({kStepRight})).Add(180, {10});
    Store(list, kV1, kEventX);
    Store(list, kV0, 1);
    Script(list);
    for (int frame = 0; frame < 12; ++frame)
        Frame();
    EXPECT_EQ(Read(kV1), 9);
    EXPECT_EQ(TheMapState.eventCharacters[0].forcedRoute, 0);
}

struct RouteCase {
    const char* name;
    std::int32_t reference;
    bool parallel;
    std::int32_t positionId;
};

void PrintTo(const RouteCase& c, std::ostream* out) {
    *out << c.name;
}

class MoveRouteWait : public MoveRouteCommand, public ::testing::WithParamInterface<RouteCase> {};

// The first step is taken in the frame of the command; the wait for moves holds the next
// line until the route has ended.
TEST_P(MoveRouteWait, TheWaitHoldsUntilTheRouteEnds) {
    const RouteCase& c = GetParam();
    const std::int32_t start = Read(c.positionId);
    CommandListBuilder list;
    list.AddRoute(201, {c.reference}, Steps({kStepRight, kStepRight})).Add(202);
    Store(list, kV1, c.positionId);
    list.Add(180, {1000});
    Script(list, c.parallel);
    Frame();
    EXPECT_EQ(Read(c.positionId), start + 1);
    int frames = 1;
    while (RouteRuns() && frames < 100) {
        EXPECT_EQ(Read(kV1), 0) << "frame " << frames;
        Frame();
        ++frames;
    }
    // A route that ends in the hero's update is seen by the next frame's interpreter pass.
    Frame();
    EXPECT_GT(frames, 2);
    EXPECT_EQ(Read(kV1), start + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, MoveRouteWait,
    ::testing::Values(RouteCase{"EventFromTheMainInterpreter", 1, false, kEventX},
                      RouteCase{"EventFromAParallelCommonEvent", 1, true, kEventX},
                      RouteCase{"Hero", -2, false, kHeroX},
                      RouteCase{"FirstMember", -3, false, kFirstMemberX}),
    [](const auto& info) { return std::string(info.param.name); });

struct NothingCase {
    const char* name;
    std::int32_t reference;
    bool route;
};

void PrintTo(const NothingCase& c, std::ostream* out) {
    *out << c.name;
}

class MoveRouteWithoutTarget : public MoveRouteCommand,
                               public ::testing::WithParamInterface<NothingCase> {};

TEST_P(MoveRouteWithoutTarget, NothingMovesAndTheWaitEndsAtOnce) {
    const NothingCase& c = GetParam();
    CommandListBuilder list;
    if (c.route)
        list.AddRoute(201, {c.reference}, Steps({kStepRight}));
    else
        list.Add(201, {c.reference});
    list.Add(202);
    Store(list, kV1, 5);
    list.Add(180, {1000});
    Script(list);
    Frame();
    EXPECT_EQ(Read(kV1), 5);
    EXPECT_EQ(Read(kEventX), 8);
    EXPECT_EQ(Read(kHeroX), 20);
    EXPECT_EQ(Read(kFirstMemberX), 20);
    EXPECT_EQ(TheMapState.eventCharacters[0].forcedRoute, 0);
    EXPECT_EQ(TheParty.forcedRoute, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, MoveRouteWithoutTarget,
                         ::testing::Values(NothingCase{"NoSuchEvent", 7, true},
                                           NothingCase{"NoSuchMember", -8, true},
                                           NothingCase{"NoRunningMapEvent", -1, true},
                                           NothingCase{"NoRoute", 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MoveRouteCommand, TheHerosStepsLeaveATrailForTheMembers) {
    TheVariableStore.SetSystemVariable(37, 1);  // each member one step behind the one before
    CommandListBuilder list;
    list.AddRoute(201, {-2}, Steps({kStepRight, kStepRight, kStepRight, kStepRight})).Add(202);
    Store(list, kV0, 1);
    Script(list);
    for (int frame = 0; frame < 100 && Read(kV0) == 0; ++frame)
        Frame();
    for (int frame = 0; frame < 20; ++frame)
        Frame();
    EXPECT_EQ(TheParty.x, 24);
    const int behind[] = {1, 2, 3, 4, 4};
    for (std::size_t n = 0; n < TheParty.members.size(); ++n)
        EXPECT_EQ(TheParty.members[n].x, 24 - behind[n]) << "member " << n;
}

TEST_F(MoveRouteCommand, AHeroLedOntoATouchEventStartsIt) {
    MapEvent plate(2);
    plate.x = 11;
    plate.y = 10;
    plate.pages[0].conditions.startKind = kTouchStart;
    CommandListBuilder touched;
    plate.pages[0].commands = Store(touched, kV2, 1).Build();
    TheMapState.mapData.events.push_back(plate);
    TheMapState.eventCharacters.emplace_back(1, plate);
    CommandListBuilder list;
    list.AddRoute(201, {-2}, Steps({kStepRight, kStepRight})).Add(180, {1000});
    Script(list, true);
    for (int frame = 0; frame < 40; ++frame)
        Frame();
    EXPECT_EQ(TheParty.x, 22);
    EXPECT_EQ(Read(kV2), 1);
}

}  // namespace
}  // namespace game
