// Lines per second of the dispatcher over continue codes, and of message text expansion.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/variable_store.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/message_text.h"
#include "tools/lib/command_list_builder.h"

namespace {

void BM_DispatchFastCodes(benchmark::State& state) {
    std::int32_t counter = 0, one = 1, zero = 0;
    std::vector<game::EventCommand> commands;
    for (int i = 0; i < 10000; ++i) {
        commands.push_back(tools::CommandListBuilder().Add(210010).Build()[0]);
        commands.back().preparedPointers = {&counter, &one, &zero};
    }
    commands.push_back(tools::CommandListBuilder().Build()[0]);
    game::EventInterpreter interpreter;
    interpreter.ownCommands = commands;
    for (auto _ : state) {
        interpreter.StartInterpreter(game::CommandListRef::Own(), -1, -1);
        benchmark::DoNotOptimize(game::DispatchCommands(interpreter));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(commands.size()));
}
BENCHMARK(BM_DispatchFastCodes);

void BM_ExpandMessage(benchmark::State& state) {
    game::TheVariableStore.variableSets = {{1, 2, 3}};
    const std::string text =
        "\\c[2]Hello \\v[1], \\f[20]this is \\E a message\\.\n"
        "\x95\\ with \\i[3] icons and \\sp[5] speed <C> centred\\!";
    for (auto _ : state)
        benchmark::DoNotOptimize(game::ExpandMessageText(text, -1, -1, 0, {}));
}
BENCHMARK(BM_ExpandMessage);

}  // namespace
