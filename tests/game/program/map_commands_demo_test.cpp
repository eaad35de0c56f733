// The demo's map-side events played with keys on the fake clock, so that every update draws
// and each run gives the same frames: the hero stands on an event and confirms it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/core/game_random.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/sound_manager.h"
#include "tests/game/program/map_commands_demo_steps.h"
#include "tests/support/golden.h"
#include "tests/support/input_events.h"
#include "tests/support/sjis.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_map.h"
#include "tools/lib/demo_sounds.h"

namespace game {
namespace {

TEST_F(MapCommandsDemo, WaterFillsABlockAndGoesAgain) {
    PlayTheWaterFilled();
    EXPECT_TRUE(test::MatchesGolden(ShownFrame(), "game/program/demo-water"));
    Confirm(tools::kDemoWaterEvent);
    const auto [x, y] = tools::kDemoWaterBlock;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(Tile(x + i, y + j), tools::kGrass) << i << "," << j;
    }
}

TEST_F(MapCommandsDemo, TheViewShakesAndStops) {
    ASSERT_NO_FATAL_FAILURE(PlayTheViewShakenDown());
    EXPECT_TRUE(test::MatchesGolden(ShownFrame(), "game/program/demo-shake"));
    Run(60);
    EXPECT_EQ(TheMapState.verticalShakeCount, 0);
}

TEST_F(MapCommandsDemo, ThePartysGraphicsAreSwappedAndComeBack) {
    const std::string hero = TheParty.graphicName;
    const std::string member = TheParty.members[0].graphicName;
    PlayTheCostumeSwapped();
    EXPECT_TRUE(test::MatchesGolden(ShownFrame(), "game/program/demo-costume"));
    Confirm(tools::kDemoCostumeEvent);
    EXPECT_EQ(TheParty.graphicName, hero);
    EXPECT_EQ(TheParty.members[0].graphicName, member);
}

// The keyboard wait reads A as 130; a pad wait reads Z, pad one's first button, as 301.
TEST_F(MapCommandsDemo, TheKeyWaitTakesAKeyFromTheKeyboard) {
    Confirm(tools::kDemoKeyEvent);
    EXPECT_TRUE(TheMainInterpreter.keyWait);
    Press(SDL_SCANCODE_A, 3, 10);
    EXPECT_EQ(TheVariableStore.ReadValueById(tools::kDemoKeyVariable), 130);
    EXPECT_EQ(TheScreenState.lastMessageText, test::Sjis(u8"押したキーの番号：130"));

    tools::CommandListBuilder list;
    list.Add(123, {2000025, 0x200});
    EventInterpreter pad;
    pad.ownCommands = list.Build();
    test::PushKey(SDL_SCANCODE_Z, true);
    Run(2);
    pad.StartInterpreter(CommandListRef::Own(), -1, -1);
    RunInterpreter(pad);
    test::PushKey(SDL_SCANCODE_Z, false);
    EXPECT_EQ(TheVariableStore.ReadValueById(2000025), 301);
}

TEST_F(MapCommandsDemo, ALocationRowLeadsToTheLoopingMapWhoseViewScrollsAwayAndBack) {
    ASSERT_NO_FATAL_FAILURE(PlayTheLoopingMapScrolledBack());
    EXPECT_TRUE(test::MatchesGolden(ShownFrame(), "game/program/demo-scroll-back"));
    Confirm(tools::kDemoReturnEvent, 20);
    EXPECT_EQ(TheMapState.mapNumber, 0);
}

// Four eighth turns clockwise from up: the hero faces down.
TEST_F(MapCommandsDemo, TheHeroTurnsAboutOnARoute) {
    Confirm(tools::kDemoRouteEvent, 2);
    EXPECT_EQ(TheParty.forcedRoute, 1);
    Run(60);
    EXPECT_EQ(TheParty.forcedRoute, 0);
    EXPECT_EQ(TheParty.direction, 2);
}

TEST_F(MapCommandsDemo, AChimeNamedByItsFileIsLoadedAndPlayed) {
    Confirm(tools::kDemoChimeEvent, 2);
    const std::string name = "Data\\" + std::string(tools::kDemoChimeFile);
    ASSERT_TRUE(SoundFileHandles.contains(name));
    EXPECT_NE(SoundFileHandles.at(name), 0);
}

}  // namespace
}  // namespace game
