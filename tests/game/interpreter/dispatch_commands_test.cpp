#include "game/interpreter/dispatch_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/interpreter/window_links.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

using tools::CommandListBuilder;
constexpr CommandKind R = CommandKind::kReturn;
constexpr CommandKind C = CommandKind::kContinue;

TEST(CommandTable, EveryCodeHasItsKind) {
    std::map<std::int32_t, CommandKind> expected = {
        {-1, R},     {101, R},   {102, R}, {104, R}, {105, R}, {111, C}, {112, C}, {121, C},
        {122, R},    {123, R},   {124, C}, {130, R}, {140, C}, {141, C}, {150, C}, {151, R},
        {160, R},    {161, R},   {162, R}, {170, C}, {171, C}, {172, R}, {173, R}, {174, R},
        {175, R},    {176, C},   {177, R}, {178, R}, {179, C}, {180, R}, {201, R}, {202, R},
        {210, R},    {211, R},   {213, C}, {220, R}, {221, R}, {222, R}, {230, R}, {231, R},
        {240, R},    {241, R},   {242, R}, {250, C}, {260, R}, {270, R}, {280, R}, {281, R},
        {290, R},    {300, R},   {401, C}, {402, C}, {420, C}, {421, C}, {498, C}, {499, C},
        {498000, C}, {498001, C}};
    for (int a = 0; a < 4; ++a) {
        for (int c = 0; c < 3; ++c)
            expected[210000 + 10 * a + c] = C;
    }
    std::map<std::int32_t, CommandKind> table;
    for (const CommandEntry& entry : CommandTable()) {
        table[entry.code] = entry.kind;
        EXPECT_NE(entry.handler, nullptr) << entry.code;
        EXPECT_EQ(FindCommand(entry.code), &entry) << entry.code;
    }
    EXPECT_EQ(table, expected);
    for (std::int32_t code : {0, 212, 103, 210003, 210033, 210040, 497999})
        EXPECT_EQ(FindCommand(code), nullptr) << code;
}

class DispatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        TheScreenState.SceneNumber = 1;
    }

    void Start(std::vector<EventCommand> commands) {
        interpreter.ownCommands = std::move(commands);
        interpreter.StartInterpreter(CommandListRef::Own(), -1, -1);
    }

    ReportCapture reports;
    EventInterpreter interpreter;
};

// A fast-code line on three prepared cells.
EventCommand Fast(std::int32_t code, std::int32_t* target, std::int32_t* left,
                  std::int32_t* right) {
    EventCommand line = CommandListBuilder().Add(code).Build()[0];
    line.preparedPointers = {target, left, right};
    return line;
}

TEST_F(DispatchTest, TenOperationsAndTheEndInOneCall) {
    std::int32_t counter = 0, one = 1, zero = 0;
    std::vector<EventCommand> commands;
    for (int i = 0; i < 10; ++i)
        commands.push_back(Fast(210010, &counter, &one, &zero));
    commands.push_back(CommandListBuilder().Build()[0]);
    Start(commands);
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(counter, 10);
    EXPECT_EQ(interpreter.line, 10);
    EXPECT_EQ(interpreter.commandsThisFrame, 10);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

TEST_F(DispatchTest, LabelsAndUnknownCodesArePassedOver) {
    Start(CommandListBuilder().Add(212).Add(0).Add(77777).Add(105).Build());
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(interpreter.line, 3);
    EXPECT_EQ(TheScreenState.messageHold, 1);
    EXPECT_EQ(interpreter.commandsThisFrame, 3);
}

TEST_F(DispatchTest, AListWithoutItsEndLineEndsAfterItsLastLine) {
    CommonEvents.events[0].commands = {EventCommand{}};  // one line of code 0, no end line
    interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_FALSE(interpreter.IsInterpreterRunning());
}

struct FastCase {
    std::int32_t code;
    std::int32_t target, left, right, result;
};

class FastCodes : public ::testing::TestWithParam<FastCase> {};

TEST_P(FastCodes, WrapAround) {
    FreshGameState();
    FastCase c = GetParam();
    EventInterpreter interpreter;
    interpreter.ownCommands = {Fast(c.code, &c.target, &c.left, &c.right),
                               CommandListBuilder().Build()[0]};
    interpreter.StartInterpreter(CommandListRef::Own(), -1, -1);
    DispatchCommands(interpreter);
    EXPECT_EQ(c.target, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FastCodes,
    ::testing::Values(FastCase{210000, 9, 2000000000, 2000000000, -294967296},
                      FastCase{210001, 9, 2, 3, -1}, FastCase{210002, 9, 4, 5, 20},
                      FastCase{210012, 5, 2, 3, 11}, FastCase{210021, 5, 2, 3, 6},
                      FastCase{210030, 5, 2, 3, 25}, FastCase{210032, 2147483647, 2, 1, -2}),
    [](const auto& info) {
        return std::to_string(info.param.code) + "_" + std::to_string(info.index);
    });

TEST_F(DispatchTest, FastJumpsAndLoopEndsWithoutPreparedDataDoNothing) {
    Start(CommandListBuilder().Add(498000).Add(498001).Add(105).Build());
    interpreter.loopIndents = {0};
    interpreter.loopCounts = {2};
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(interpreter.line, 2);
    EXPECT_EQ(interpreter.loopCounts, std::vector<int>{2});
}

TEST_F(DispatchTest, FastLoopEndRepeatsThenCloses) {
    std::vector<EventCommand> commands = CommandListBuilder().Add(0).Add(498001).Add(105).Build();
    commands[1].preparedInts = {0, -1};  // back to the line before the loop's first line
    Start(commands);
    interpreter.loopIndents = {0};
    interpreter.loopCounts = {2};
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_TRUE(interpreter.loopCounts.empty());
    EXPECT_TRUE(interpreter.loopIndents.empty());
    EXPECT_EQ(interpreter.commandsThisFrame, 3 * 2);
}

struct NumberBranch {
    const char* name;
    std::vector<std::int32_t> args;
    int result;
};

class NumberBranches : public ::testing::TestWithParam<NumberBranch> {};

TEST_P(NumberBranches, StoreTheFirstConditionThatHolds) {
    FreshGameState();
    TheVariableStore.StoreValueById(2000000, 5);
    EventInterpreter interpreter;
    interpreter.ownCommands = CommandListBuilder().Add(111, GetParam().args, {}, 3).Build();
    interpreter.StartInterpreter(CommandListRef::Own(), -1, -1);
    DispatchCommands(interpreter);
    EXPECT_EQ(interpreter.BranchResult(3), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, NumberBranches,
    ::testing::Values(
        NumberBranch{"SecondAndThirdHold", {3, 2000000, 9, 0, 2000000, 5, 2, 2000000, 1, 0}, 2},
        NumberBranch{"NoneHolds", {1, 2000000, 6, 1}, 0},
        NumberBranch{"RightIsAVariable", {1, 7, 2000000, 0}, 1},
        NumberBranch{"RightTakenRaw", {1, 2000000, 2000000, 0x14}, 1},
        NumberBranch{"BitsSet", {1, 2000000, 4, 6}, 1},
        NumberBranch{"NeverComparison", {1, 2000000, 5, 9}, 0},
        NumberBranch{"ArgumentsMissing", {2}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DispatchTest, PreparedNumberBranchJumpsToItsCase) {
    std::int32_t five = 5, three = 3;
    std::vector<EventCommand> commands =
        CommandListBuilder().Add(111).Add(0).Add(0).Add(0).Add(105).Add(104).Build();
    // Two conditions: == then >, their case lines 9 and 3, the else line 5.
    commands[0].preparedInts = {0, 2, 2, 0, 0, 9, 3, 0, 5};
    commands[0].preparedPointers = {&five, &three, &five, &three};
    Start(commands);
    EXPECT_EQ(DispatchCommands(interpreter), 1);  // the second condition holds
    EXPECT_EQ(interpreter.BranchResult(0), EventInterpreter::kBranchTaken);
    EXPECT_EQ(TheScreenState.messageHold, 1);
    EXPECT_EQ(interpreter.line, 4);
}

struct StringBranch {
    const char* name;
    std::vector<std::int32_t> args;
    std::vector<std::string> strings;
    int result;
};

class StringBranches : public ::testing::TestWithParam<StringBranch> {};

TEST_P(StringBranches, CompareTexts) {
    FreshGameState();
    TheVariableStore.StoreStringById(3000000, "abc");
    TheVariableStore.StoreStringById(3000001, "b");
    EventInterpreter interpreter;
    interpreter.ownCommands =
        CommandListBuilder().Add(112, GetParam().args, GetParam().strings, 1).Build();
    interpreter.StartInterpreter(CommandListRef::Own(), -1, -1);
    DispatchCommands(interpreter);
    EXPECT_EQ(interpreter.BranchResult(1), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, StringBranches,
    ::testing::Values(StringBranch{"Equal", {1, 3000000}, {"abc"}, 1},
                      StringBranch{"Differs", {1, 0x10000000 | 3000000}, {"abc"}, 0},
                      StringBranch{"Contains", {1, 0x20000000 | 3000000}, {"b"}, 1},
                      StringBranch{"ContainsEmpty", {1, 0x20000000 | 3000000}, {""}, 1},
                      StringBranch{"HighComparisonIsUnsigned",
                                   {1, static_cast<std::int32_t>(0xF0000000u) | 3000000},
                                   {"abc"},
                                   0},
                      StringBranch{"RightFromAVariable", {1, 0x21000000 | 3000000, 3000001}, {}, 1},
                      StringBranch{"SecondHolds", {2, 3000001, 3000000}, {"x", "abc"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DispatchTest, MessageShowsAndWaits) {
    TheMainInterpreter.MessageExtraTextA = "[";
    TheMainInterpreter.MessageExtraTextB = "]";
    Start(CommandListBuilder().Add(101, {}, {"Hi"}).Add(105).Build());
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(TheScreenState.messageText, "[Hi]");
    EXPECT_EQ(TheScreenState.lastMessageText, "[Hi]");
    EXPECT_TRUE(interpreter.messageWait);
    EXPECT_EQ(TheScreenState.messageLinkedInterpreter, &interpreter);
    EXPECT_EQ(TheScreenState.messageLinkMode, 1);
    // A second message waits while the first is shown.
    interpreter.line = 0;
    EXPECT_EQ(DispatchCommands(interpreter), 0);
    ReleaseMessageLink(TheScreenState);
    EXPECT_FALSE(interpreter.messageWait);
}

TEST_F(DispatchTest, AnEmptyMessageIsOneSpace) {
    Start(CommandListBuilder().Add(101, {}, {""}).Build());
    DispatchCommands(interpreter);
    EXPECT_EQ(TheScreenState.messageText, " ");
}

TEST_F(DispatchTest, AChoiceAfterAMessageOpensWithIt) {
    Start(CommandListBuilder()
              .Add(101, {}, {"Pick"})
              .Add(102, {0x0132}, {"yes", "no"}, 2)
              .Add(105)
              .Build());
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(interpreter.line, 1);
    EXPECT_EQ(TheScreenState.choiceText, "yes\nno\n");
    EXPECT_EQ(TheScreenState.systemStrings[1], "no");
    EXPECT_EQ(TheScreenState.choiceCount, 2);
    EXPECT_EQ(TheScreenState.choiceCancelValue, 1);
    EXPECT_EQ(TheScreenState.choiceOptions, 1);
    EXPECT_EQ(TheScreenState.messageOpen, 1);
    EXPECT_EQ(TheScreenState.choiceLinkSlot, 2);
    ReturnChoiceResult(TheScreenState, 1);
    EXPECT_EQ(interpreter.BranchResult(2), 1);
    EXPECT_FALSE(interpreter.messageWait);
}

TEST_F(DispatchTest, AnAllEmptyChoiceClosesAtOnceWithItsCancelValue) {
    Start(CommandListBuilder().Add(101, {}, {"Pick"}).Add(102, {0x0032}, {"", ""}, 1).Build());
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(interpreter.BranchResult(1), 3);
    EXPECT_EQ(TheScreenState.choiceCloseNow, 1);
    EXPECT_EQ(TheScreenState.messageOpen, 0);
    EXPECT_TRUE(TheScreenState.choiceText.empty());
    EXPECT_FALSE(interpreter.messageWait);
    EXPECT_EQ(TheScreenState.messageText, "Pick");
}

TEST_F(DispatchTest, AChoiceShowsTenItemsAtMost) {
    std::vector<std::string> items(12, "i");
    Start(CommandListBuilder().Add(102, {12}, items).Build());
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(TheScreenState.choiceText.size(), 20u);
}

TEST_F(DispatchTest, SkipToBlockEndStopsBeforeTheNextLineOnTheSameIndent) {
    Start(CommandListBuilder()
              .Add(401, {}, {}, 1)
              .Add(0, {}, {}, 2)
              .Add(0, {}, {}, 2)
              .Add(499, {}, {}, 1)
              .Build());
    SkipToBlockEnd(interpreter);
    EXPECT_EQ(interpreter.line, 2);
    Start(CommandListBuilder().Add(401, {}, {}, 3).Add(0, {}, {}, 4).Build());
    SkipToBlockEnd(interpreter);  // no line closes the block: it stops before the end line
    EXPECT_EQ(interpreter.line, 1);
}

TEST_F(DispatchTest, CharacterReferences) {
    TheParty.members.resize(2);
    TheMapState.mapData.events = {MapEvent(3), MapEvent(8)};
    TheMapState.eventCharacters.resize(2);
    interpreter.eventNumber = 8;
    EXPECT_EQ(ResolveCharacterRef(interpreter, -2), &TheParty);
    EXPECT_EQ(ResolveCharacterRef(interpreter, -3), &TheParty.members[0]);
    EXPECT_EQ(ResolveCharacterRef(interpreter, -4), &TheParty.members[1]);
    EXPECT_EQ(ResolveCharacterRef(interpreter, -5), nullptr);
    EXPECT_EQ(ResolveCharacterRef(interpreter, -1), &TheMapState.eventCharacters[1]);
    EXPECT_EQ(ResolveCharacterRef(interpreter, 3), &TheMapState.eventCharacters[0]);
    EXPECT_EQ(ResolveCharacterRef(interpreter, 4), nullptr);
    EXPECT_EQ(ResolveCharacterRef(interpreter, -2147483647 - 1), nullptr);
}

TEST_F(DispatchTest, TheEndTurnsTheMainInterpretersEventBack) {
    TheMapState.mapData.events = {MapEvent(3)};
    TheMapState.eventCharacters.resize(1);
    EventCharacter& event = TheMapState.eventCharacters[0];
    event.direction = 4;
    event.FaceHeroForEvent();
    event.direction = 2;
    interpreter.autoPick = true;
    interpreter.ownCommands = CommandListBuilder().Build();
    interpreter.StartInterpreter(CommandListRef::Own(), 3, -1);
    interpreter.loopIndents = {1};
    interpreter.loopCounts = {1};
    EXPECT_EQ(DispatchCommands(interpreter), 1);
    EXPECT_EQ(event.direction, 4);
    EXPECT_TRUE(interpreter.loopCounts.empty());
}

}  // namespace
}  // namespace game
