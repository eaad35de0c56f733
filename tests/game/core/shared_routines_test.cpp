#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/game_folder.h"
#include "game/core/game_random.h"
#include "game/core/input_state.h"
#include "game/core/ring_string.h"
#include "game/core/screen_state.h"
#include "game/interpreter/internet_state.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/state_setters.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/auto_confirm_scope.h"

namespace game {
namespace {

int polls = 0;

bool HeldConfirm(InputState& input) {
    ++polls;
    input.confirmHeld = 1;
    return true;
}

bool PressOnThirdPoll(InputState& input) {
    input = InputState{};
    input.mouseButtonsPressed[0] = ++polls == 3;
    return true;
}

bool WindowGone(InputState&) {
    return false;
}

TEST(ErrorBox, AConfirmHeldFromBeforeLeavesAfterElevenPolls) {
    InputState input;
    polls = 0;
    EXPECT_EQ(WaitForErrorBoxConfirm(input, &HeldConfirm), 11);
    polls = 0;
    EXPECT_EQ(WaitForErrorBoxConfirm(input, &PressOnThirdPoll), 3);
    EXPECT_EQ(WaitForErrorBoxConfirm(input, &WindowGone), 1);
}

TEST(ErrorBox, TheSinkReceivesTheThreeLines) {
    ReportCapture capture;
    ShowErrorBox("\x95\x5C", "two", "");
    ASSERT_EQ(capture.errors().size(), 1u);
    EXPECT_EQ(capture.errors()[0].line1, "\x95\x5C");
    EXPECT_EQ(capture.errors()[0].line2, "two");
}

TEST(ErrorBox, BeforeTheLayerRunsTheSystemMessageBoxTakesTheReport) {
    ReportCapture capture;
    SetErrorBoxSink(nullptr);
    const test::AutoConfirmScope boxes(false);
    ShowErrorBox("one", "two", "three");
    ASSERT_EQ(capture.boxes().size(), 1u);
    EXPECT_EQ(capture.boxes()[0].text, "one\r\ntwo\r\nthree");
}

TEST(GameRandomControl, StepsSetsAndReads) {
    EXPECT_EQ(GameRandomControl(2, 0), 0u);
    EXPECT_EQ(GameRandomControl(0), 94123u >> 4);
    EXPECT_EQ(GameRandomControl(1), 94123u >> 4);
    EXPECT_EQ(GameRandomControl(7), 94123u >> 4);
    const std::uint32_t next = GameRandomControl(0);
    EXPECT_EQ(next, ((94123u >> 4) * 1103515245u + 94123u) >> 4);
    EXPECT_LT(next, 1u << 28);
}

TEST(IntToRingString, TenResultsStayValid) {
    const char* results[11];
    for (int i = 0; i < 11; ++i)
        results[i] = IntToRingString(-i);
    EXPECT_STREQ(results[9], "-9");
    EXPECT_EQ(results[10], results[0]);
    EXPECT_STREQ(results[0], "-10");
    for (int i = 1; i < 10; ++i)
        EXPECT_NE(results[i], results[0]);
}

TEST(GetExeDirectory, EndsWithOneSeparatorAndKeepsTrailBytes) {
    struct Case {
        std::string folder, directory;
    };
    const Case cases[] = {
        {"C:\\Games\\Demo", "C:\\Games\\Demo\\"},
        {"C:\\Games\\Demo\\", "C:\\Games\\Demo\\"},
        {"C:\\\x95\x5C", "C:\\\x95\x5C\\"},  // "表" ends in 0x5C
    };
    for (const Case& c : cases) {
        GameFolder = c.folder;
        EXPECT_EQ(GetExeDirectory(), c.directory);
    }
    GameFolder.clear();
}

TEST(ScreenState, DefaultsCopiesAndMessageReset) {
    ScreenState state(ScreenState::Screens::kLater);
    EXPECT_EQ(state.messageLinkMode, -1);
    EXPECT_EQ(state.messageSetting, 99);
    EXPECT_EQ(state.transitionCounter, 20);
    EXPECT_EQ(state.lastChoiceResult, -1);
    EXPECT_EQ(state.osVersion.platformId, 2u);
    EXPECT_EQ(state.offscreen1, -1);
    state.offscreen1 = 7;
    state.systemStrings[3] = "s";
    state.choiceCount = 4;
    state.reservedCommonEvent = 12;
    const ScreenState copy = state;
    EXPECT_EQ(copy.offscreen1, 7);
    EXPECT_EQ(copy.systemStrings[3], "s");
    ResetMessageState(state);
    EXPECT_EQ(state.choiceCount, 0);
    EXPECT_EQ(state.reservedCommonEvent, -1);
    EXPECT_EQ(state.systemStrings[3], "s");
}

TEST(StateSetters, FlashShakeShakesAndInternet) {
    MapCharacter character;
    SetCharacterFlash(character, 0x123456, 30);
    EXPECT_EQ(character.flashColour, 0x123456);
    EXPECT_EQ(character.flashLength, 30);
    EXPECT_EQ(character.flashRemaining, 30);
    SetCharacterShake(character, 3, 4, 5, 0);
    EXPECT_EQ(character.shakeAmplitudeX, 3);
    EXPECT_EQ(character.shakeAmplitudeY, 4);
    EXPECT_EQ(character.shakeSwings, 5);
    EXPECT_EQ(character.shakeHalfPeriod, 1);
    EXPECT_EQ(character.shakePhase, 2);

    MapState map;
    map.horizontalShakeCount = 8;
    map.verticalShakeCount = 9;
    StopMapShakes(map);
    EXPECT_EQ(map.horizontalShakeCount + map.verticalShakeCount, 0);

    InternetState internet;
    EXPECT_TRUE(BeginInternetAccess(internet));
    EXPECT_EQ(internet.status, 0);
}

TEST(ExitProgramDeathTest, EndsWithTheGivenCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ExitProgram(3), testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace game
