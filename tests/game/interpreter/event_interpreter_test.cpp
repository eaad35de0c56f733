#include "game/interpreter/event_interpreter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "game/core/exit_program.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

class EventInterpreterTest : public ::testing::Test {
  protected:
    void SetUp() override { FreshGameState(); }
    ReportCapture reports;
};

TEST_F(EventInterpreterTest, LiteralsAndTheRunningEventsOwnIds) {
    EventInterpreter interpreter;
    interpreter.mapId = 2;
    interpreter.eventNumber = 4;
    interpreter.commonNumber = -1;
    EXPECT_EQ(interpreter.ReadInterpreterValue(42), 42);

    interpreter.StoreInterpreterValue(1100000 + 3, 9);  // self variable 3 of event 4 on map 2
    EXPECT_EQ(TheVariableStore.selfVariables[2][4][3], 9);
    EXPECT_EQ(interpreter.ReadInterpreterValue(1100000 + 3), 9);

    TheMapState.mapData.events = {MapEvent(4)};
    TheMapState.eventCharacters.resize(1);
    interpreter.StoreInterpreterValue(9190000 + 2, 11);
    EXPECT_EQ(TheMapState.eventCharacters[0].x, 11);
    EXPECT_TRUE(ReportCapture::errors().empty());
}

TEST_F(EventInterpreterTest, ACommonEventsMapEventIdsAreLiterals) {
    EventInterpreter interpreter;
    interpreter.commonNumber = 12;
    EXPECT_EQ(interpreter.ReadInterpreterValue(1100000 + 3), 1000000 - 10 + 3);
    interpreter.StoreInterpreterValue(1100000 + 3, 1);
    ASSERT_EQ(ReportCapture::errors().size(), 1u);  // stores below 1000000 are refused

    CommonEvents.Resize(13);
    TheVariableStore.ResetVariableStore();
    interpreter.StoreInterpreterString(1600000 + 5, "slot five");
    EXPECT_EQ(TheVariableStore.commonStrings[12][0], "slot five");
    EXPECT_EQ(interpreter.ReadInterpreterString(1600000 + 5), "slot five");
    interpreter.StoreInterpreterValue(1600000 + 20, 6);
    EXPECT_EQ(TheVariableStore.commonNumbers[12][20], 6);
}

TEST_F(EventInterpreterTest, AccessesUseTheEventsMap) {
    EventInterpreter interpreter;
    interpreter.mapId = 5;
    interpreter.eventNumber = 1;
    TheMapState.mapNumber = 9;
    interpreter.StoreInterpreterValue(1000000 + 10 + 2, 3);
    EXPECT_EQ(TheVariableStore.selfVariables.size(), 6u);
}

struct ConditionCase {
    int comparison;
    std::int32_t value;
    std::int32_t reference;
    bool holds;
};

class AutoRunConditions : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(AutoRunConditions, CompareTheVariable) {
    FreshGameState();
    TheVariableStore.StoreValueById(2000003, GetParam().value);
    CommonEvent event;
    event.trigger = static_cast<std::uint8_t>(GetParam().comparison << 4 | 1);
    event.conditionVariable = 2000003;
    event.conditionValue = GetParam().reference;
    EXPECT_EQ(TestAutoRunCondition(event), GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, AutoRunConditions,
    ::testing::Values(ConditionCase{0, 2, 1, true}, ConditionCase{0, 1, 1, false},
                      ConditionCase{1, 1, 1, true}, ConditionCase{2, 1, 1, true},
                      ConditionCase{3, 2, 1, false}, ConditionCase{4, 0, 1, true},
                      ConditionCase{5, 1, 1, false}, ConditionCase{6, 7, 5, true},
                      ConditionCase{6, 2, 3, false}, ConditionCase{9, 1, 1, false}),
    [](const auto& info) {
        return "Comparison" + std::to_string(info.param.comparison) + "Of" +
               std::to_string(info.param.value) + "And" + std::to_string(info.param.reference) +
               (info.param.holds ? "Holds" : "Fails");
    });

TEST(Clamps, BillionsAndSixDigits) {
    EXPECT_EQ(ClampToBillions(2000000001), 2000000000);
    EXPECT_EQ(ClampToBillions(-2000000001), -2000000000);
    EXPECT_EQ(ClampToBillions(5), 5);
    EXPECT_EQ(ClampToSixDigits(true, -1000000), -999999);
    EXPECT_EQ(ClampToSixDigits(false, -1000000), -1000000);
}

class PickNextEventTest : public EventInterpreterTest {
  protected:
    void SetUp() override {
        EventInterpreterTest::SetUp();
        CommonEvents.Resize(4);
        CommonEvents.events[1].commands = tools::CommandListBuilder().Add(101).Build();
        CommonEvents.events[2].commands = tools::CommandListBuilder().Add(102).Build();
        CommonEvents.events[2].trigger = 0x21;  // automatic while variable 0 == 0
        CommonEvents.events[3].trigger = 0x21;
        TheVariableStore.ResetVariableStore();
        main.SetUpInterpreter(0, true);
        TheMapState.mapNumber = 1;
        TheMapState.mapData.events = {MapEvent(6), MapEvent(7)};
        TheMapState.eventCharacters.resize(2);
        TheMapState.eventCharacters[0].referenceId = 6;
        TheMapState.eventCharacters[1].referenceId = 7;
        TheMapState.eventCharacters[1].commands = tools::CommandListBuilder().Add(105).Build();
    }

    std::int32_t FirstCode() const { return main.CurrentLine().args[0]; }

    EventInterpreter main;
};

TEST_F(PickNextEventTest, AReservedCommonEventComesFirstAndKeepsTheEventNumber) {
    main.eventNumber = 7;
    TheScreenState.reservedCommonEvent = 1;
    TheMapState.eventCharacters[1].runRequest = 1;
    main.PickNextEvent();
    EXPECT_EQ(FirstCode(), 101);
    EXPECT_EQ(main.eventNumber, 7);
    EXPECT_EQ(main.commonNumber, 1);
    EXPECT_EQ(main.mapId, 1);
    EXPECT_EQ(TheScreenState.reservedCommonEvent, -1);
}

TEST_F(PickNextEventTest, ThenTheFirstMapEventAskedToRun) {
    TheMapState.eventCharacters[1].runRequest = 1;
    TheMapState.eventCharacters[1].direction = 8;
    TheParty.y = 10;
    main.PickNextEvent();
    EXPECT_EQ(FirstCode(), 105);
    EXPECT_EQ(main.eventNumber, 7);
    EXPECT_EQ(main.commonNumber, -1);
    EXPECT_EQ(TheMapState.eventCharacters[1].runRequest, 0);
    EXPECT_EQ(TheMapState.eventCharacters[1].direction, 2);  // turned toward the hero
}

TEST_F(PickNextEventTest, AnAutomaticPageKeepsItsRequest) {
    TheMapState.eventCharacters[1].runRequest = 1;
    TheMapState.eventCharacters[1].startKind = 1;
    main.PickNextEvent();
    EXPECT_EQ(TheMapState.eventCharacters[1].runRequest, 1);
    EXPECT_EQ(main.eventNumber, 7);
}

TEST_F(PickNextEventTest, ThenTheFirstAutomaticCommonEventWhoseConditionHolds) {
    TheVariableStore.StoreValueById(2000000, 1);
    CommonEvents.events[3].trigger = 0x11;  // variable 0 >= 0
    main.SetUpInterpreter(0, true);
    main.eventNumber = 6;
    main.PickNextEvent();
    EXPECT_EQ(main.commonNumber, 3);
    EXPECT_EQ(main.eventNumber, -1);
}

TEST_F(PickNextEventTest, NothingLeavesItIdle) {
    TheVariableStore.StoreValueById(2000000, 1);
    main.PickNextEvent();
    EXPECT_FALSE(main.IsInterpreterRunning());
}

TEST_F(PickNextEventTest, AVanishedCommonListReadsAsTheEndLine) {
    EventInterpreter called;
    called.StartInterpreter(CommandListRef::Common(1), -1, 1);
    EXPECT_EQ(called.CurrentLine().args[0], 101);
    EXPECT_EQ(called.LineAt(5).args[0], EventCommand::kEndCode);
    CommonEvents.Resize(1);
    EXPECT_TRUE(called.IsInterpreterRunning());
    EXPECT_EQ(called.CurrentLine().args[0], EventCommand::kEndCode);
}

TEST_F(EventInterpreterTest, BranchResultsOutsideTheLevels) {
    EventInterpreter interpreter;
    interpreter.SetBranchResult(49, 3);
    interpreter.SetBranchResult(50, 4);
    interpreter.SetBranchResult(-1, 4);
    EXPECT_EQ(interpreter.BranchResult(49), 3);
    EXPECT_EQ(interpreter.BranchResult(50), 0);
    EXPECT_EQ(interpreter.BranchResult(-1), 0);
}

TEST_F(EventInterpreterTest, ASlotAbove100EndsTheProgram) {
    const ExitHandler previous = SetExitHandler([](int code) { throw code; });
    EventInterpreter interpreter;
    EXPECT_NO_THROW(interpreter.SetUpInterpreter(100, false));
    try {
        interpreter.SetUpInterpreter(101, false);
        ADD_FAILURE() << "no exit";
    } catch (int code) {
        EXPECT_EQ(code, 1);
    }
    SetExitHandler(previous);
}

TEST_F(EventInterpreterTest, GoingAwayUnlinksTheWindows) {
    {
        EventInterpreter interpreter;
        TheScreenState.messageLinkedInterpreter = &interpreter;
        TheScreenState.messageLinkMode = 1;
        TheScreenState.choiceLinkedInterpreter = &interpreter;
    }
    EXPECT_EQ(TheScreenState.messageLinkedInterpreter, nullptr);
    EXPECT_EQ(TheScreenState.messageLinkMode, -1);
    EXPECT_EQ(TheScreenState.choiceLinkedInterpreter, nullptr);
}

}  // namespace
}  // namespace game
