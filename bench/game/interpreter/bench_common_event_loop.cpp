// Commands per second of a common event that loops over ten variable operations, as the
// load-time pre-pass prepares it and unprepared, beside the same operations in a native loop.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/core/common_event.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "tools/lib/command_list_builder.h"

namespace {

constexpr std::int32_t kPasses = 10000;
// The counted loop line, its ten operations and its loop end.
constexpr std::int64_t kLinesPerPass = 12;

constexpr std::int32_t Var(int index) {
    return 2000000 + index;
}

constexpr std::int32_t Operation(int assignment, int calculation) {
    return (assignment << 8) | (calculation << 12);
}

// Ten operations of the four assignments and the sum, difference, product, quotient and
// remainder; the values stay small.
void SetLoopEvent() {
    tools::CommandListBuilder list;
    list.Add(179, {kPasses});
    list.Add(121, {Var(1), Var(1), 1, Operation(0, 0)}, {}, 1);
    list.Add(121, {Var(2), Var(1), 7, Operation(0, 4)}, {}, 1);
    list.Add(121, {Var(3), Var(2), 3, Operation(1, 0)}, {}, 1);
    list.Add(121, {Var(3), Var(2), 2, Operation(2, 1)}, {}, 1);
    list.Add(121, {Var(4), Var(2), Var(2), Operation(0, 2)}, {}, 1);
    list.Add(121, {Var(5), Var(4), 2, Operation(0, 3)}, {}, 1);
    list.Add(121, {Var(6), Var(5), Var(2), Operation(0, 1)}, {}, 1);
    list.Add(121, {Var(7), Var(6), 1, Operation(3, 0)}, {}, 1);
    list.Add(121, {Var(7), 0, 0, Operation(0, 0)}, {}, 1);
    list.Add(121, {Var(8), Var(8), 1, Operation(0, 0)}, {}, 1);
    list.Add(498);
    game::CommonEvents = game::CommonEventList();
    game::CommonEvents.events[0].commands = list.Build();
    game::TheVariableStore = game::VariableStore();
    game::TheVariableStore.variableSets[0].resize(100);
    game::TheScreenState.SceneNumber = 1;
}

void BM_CommonEventLoop(benchmark::State& state) {
    SetLoopEvent();
    if (state.range(0) != 0)
        game::LinkCommonEventCommands();
    game::EventInterpreter interpreter;
    interpreter.SetUpInterpreter(0, false);
    for (auto _ : state) {
        interpreter.StartInterpreter(game::CommandListRef::Common(0), -1, 0);
        game::RunInterpreter(interpreter);
    }
    benchmark::DoNotOptimize(game::TheVariableStore.variableSets[0][8]);
    state.SetItemsProcessed(state.iterations() * kPasses * kLinesPerPass);
}
BENCHMARK(BM_CommonEventLoop)->ArgName("prepared")->Arg(1)->Arg(0);

// The peer: the same ten operations as a native loop over an array of variables, counted
// as the same twelve lines a pass.
void BM_NativeLoop(benchmark::State& state) {
    std::int32_t v[9] = {};
    for (auto _ : state) {
        for (std::int32_t pass = 0; pass < kPasses; ++pass) {
            benchmark::DoNotOptimize(v);
            v[1] = v[1] + 1;
            v[2] = v[1] * 7;
            v[3] += v[2] + 3;
            v[3] -= v[2] - 2;
            v[4] = v[2] / (v[2] != 0 ? v[2] : 1);
            v[5] = v[4] % 2;
            v[6] = v[5] - v[2];
            v[7] *= v[6] + 1;
            v[7] = 0;
            v[8] = v[8] + 1;
        }
    }
    benchmark::DoNotOptimize(v[8]);
    state.SetItemsProcessed(state.iterations() * kPasses * kLinesPerPass);
}
BENCHMARK(BM_NativeLoop);

}  // namespace
