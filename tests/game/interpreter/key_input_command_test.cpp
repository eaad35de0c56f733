// The key-input command on keys scripted into the frame's input.
#include <gtest/gtest.h>

#include "game/core/input_state.h"
#include "tests/game/interpreter/map_command_fixture.h"

namespace game {
namespace {

using tools::CommandListBuilder;

constexpr int kA = 0x1E;
constexpr int kEnter = 0x1C;
constexpr int kRightCtrl = 0x9D;
constexpr int kUp = 0xC8;
constexpr std::int32_t kKeyboard = 0x100;
constexpr std::int32_t kWait = 0x80;
constexpr std::int32_t kConfirm = 0x10;
constexpr std::int32_t kKeyGiven = 0x1000;

using KeyInput = MapCommandTest;

TEST_F(KeyInput, SampleModeStoresTheKeysOfThisFrame) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> args;
        int key;
        bool confirm;
        std::int32_t stored;
    } const cases[] = {
        {"A", {VarId(1), kKeyboard}, kA, false, 130},
        {"EnterIsLeftToTheGame", {VarId(1), kKeyboard}, kEnter, false, 0},
        {"RightCtrl", {VarId(1), kKeyboard}, kRightCtrl, false, 257},
        {"OneKeyAskedFor", {VarId(1), kKeyboard | kKeyGiven, 300}, kUp, false, 300},
        {"AnotherKeyThanAskedFor", {VarId(1), kKeyboard | kKeyGiven, 300}, kA, false, 0},
        {"KeyOptionWithoutItsArgument", {VarId(1), kKeyboard | kKeyGiven}, kA, false, 130},
        {"Confirm", {VarId(1), kConfirm}, 0, true, 10},
        {"ConfirmNotAskedFor", {VarId(1), kKeyboard}, 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TheInputState = InputState();
        if (c.key != 0)
            TheInputState.keys[static_cast<std::size_t>(c.key)] = 1;
        TheInputState.confirmHeld = c.confirm ? 1 : 0;
        V(1) = -1;
        const EventInterpreter interpreter = RunLine(123, c.args);
        EXPECT_EQ(V(1), c.stored);
        EXPECT_FALSE(interpreter.keyWait);
    }
}

// A key held when the wait begins counts only after a release and a new press; the line
// after the command runs in the frame after the key.
TEST_F(KeyInput, TheWaitSkipsTheKeyHeldAtItsStart) {
    CommandListBuilder list;
    list.Add(123, {VarId(1), kKeyboard | kWait}).Add(121, {VarId(2), 1, 0, 0});
    CommonEvents.events[0].commands = list.Build();
    EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
    V(1) = -1;
    auto frame = [&](bool aDown) {
        TheInputState.keys[kA] = aDown ? 1 : 0;
        RunInterpreter(interpreter);
    };
    frame(true);
    EXPECT_TRUE(interpreter.keyWait);
    frame(true);
    frame(true);
    EXPECT_EQ(V(1), -1);
    frame(false);
    EXPECT_EQ(V(1), -1);
    EXPECT_TRUE(interpreter.keyWait);
    frame(true);
    EXPECT_EQ(V(1), 130);
    EXPECT_FALSE(interpreter.keyWait);
    EXPECT_EQ(V(2), 0);
    frame(false);
    EXPECT_EQ(V(2), 1);
}

}  // namespace
}  // namespace game
