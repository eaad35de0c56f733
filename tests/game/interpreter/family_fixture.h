#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/command_list_builder.h"

namespace game {

// Fresh game state with 100 normal variables and 20 string variables; common-event lists
// run as an interpreter would run them in play.
class FamilyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreshGameState();
        TheScreenState.SceneNumber = 1;
        TheVariableStore.variableSets[0].resize(100);
        TheVariableStore.stringVariables.resize(20);
    }

    static std::int32_t& V(int index) {
        return TheVariableStore.variableSets[0][static_cast<std::size_t>(index)];
    }
    static std::string& S(int index) {
        return TheVariableStore.stringVariables[static_cast<std::size_t>(index)];
    }

    // Puts a list into common event `index`, prepared by the pre-pass when asked.
    static void SetCommon(int index, const tools::CommandListBuilder& builder, bool prepare) {
        CommonEvents.events[static_cast<std::size_t>(index)].commands = builder.Build();
        if (prepare)
            LinkCommonEventCommands();
    }

    // Runs common event `index` in a top-level interpreter for a number of frames.
    static EventInterpreter RunCommon(int index, int frames = 1) {
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(index), -1, index);
        for (int frame = 0; frame < frames; ++frame)
            RunInterpreter(interpreter);
        return interpreter;
    }

    // Runs a list once, unprepared or prepared, as common event 0.
    static EventInterpreter Run(const tools::CommandListBuilder& builder, bool prepare = false,
                                int frames = 1) {
        SetCommon(0, builder, prepare);
        return RunCommon(0, frames);
    }

    ReportCapture reports;
};

// Variable IDs.
constexpr std::int32_t Var(int index) {
    return 2000000 + index;
}
constexpr std::int32_t Str(int index) {
    return 3000000 + index;
}

// The option word of a variable operation.
constexpr std::int32_t VarOp(int assignment, int calculation, std::int32_t flags = 0) {
    return (assignment << 8) | (calculation << 12) | flags;
}

}  // namespace game
