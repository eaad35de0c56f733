// A heavy script as a game runs it: the demo on its map scene with one more parallel common
// event doing about 100,000 commands a frame of a realistic mix (variable operations with
// indirect and database operands, number and text branches, loops, calls with arguments and a
// returned value, text operations, database reads and writes, self variables of map events).
// heavy:0 is the peer, the same demo with the event never started. Goal: at most 2.5 ms of CPU
// a frame with the script.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/game/map/demo_game_session.h"
#include "game/core/common_event.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/reset_loop.h"
#include "platform/clock.h"
#include "tools/lib/command_list_builder.h"

namespace {

constexpr long kFrames = 60;
constexpr long kWarmUpFrames = 5;
// The demo's own four common events come first.
constexpr int kHeavyEvent = 4;
constexpr int kCalledEvent = 5;
// Passes of the script's outer loop a frame: about 100,000 lines with the called event's.
constexpr std::int32_t kPasses = 1430;

constexpr std::int32_t kParallelAlways = 0x03;
constexpr std::int32_t kCalledOnly = 0x00;

// Variable operation options.
constexpr std::int32_t kLiteralA = 1 << 2;
constexpr std::int32_t kLiteralB = 1 << 3;
constexpr std::int32_t kIndirectA = 1 << 5;
constexpr std::int32_t kAdd = 1 << 8;
constexpr std::int32_t kSubtract = 2 << 8;
constexpr std::int32_t kSum = 0 << 12;
constexpr std::int32_t kProduct = 2 << 12;
constexpr std::int32_t kRemainder = 4 << 12;
// Number branch: comparison ">" with a literal right side.
constexpr std::int32_t kGreaterThanLiteral = 0x10;
// Database operation: the changeable database, written from or read into a variable.
constexpr std::int32_t kWriteDataBase = 0 << 12;
constexpr std::int32_t kReadDataBase = 1 << 12;
// Text operation: copied from a text variable, or a literal appended.
constexpr std::int32_t kCopyText = 1;
constexpr std::int32_t kAppendLiteral = 1 << 8;

constexpr std::int32_t Var(int index) {
    return 2000000 + index;
}
constexpr std::int32_t Text(int index) {
    return 3000000 + index;
}
// Content 0 of data 1 of type 0 of the changeable database.
constexpr std::int32_t kDataBaseCell = 1100000100;
// Slot 1 of the running map event's self variables, and of map event 1's.
constexpr std::int32_t kOwnSelf1 = 1100001;
constexpr std::int32_t kEvent1Self1 = 1000011;
// The running common event's slot 3, and the called event's slots 0 to 2.
constexpr std::int32_t kOwnCommonSelf3 = 1600003;
constexpr std::int32_t CalledSelf(int slot) {
    return 15000000 + kCalledEvent * 100 + slot;
}

game::CommonEvent Event(int number, std::int32_t trigger, std::vector<game::EventCommand> lines) {
    game::CommonEvent event;
    event.number = number;
    event.trigger = static_cast<std::uint8_t>(trigger);
    event.commands = std::move(lines);
    return event;
}

// Sets its self slot 2 from its two numbers: the returned value.
game::CommonEvent CalledEvent() {
    tools::CommandListBuilder list;
    list.Add(121, {CalledSelf(2), CalledSelf(0), CalledSelf(1), kProduct})
        .Add(121, {CalledSelf(2), CalledSelf(2), 1000, kLiteralB | kRemainder})
        .Add(111, {1, CalledSelf(2), 500, kGreaterThanLiteral})
        .Add(401, {1})
        .Add(121, {CalledSelf(2), 500, 0, kLiteralA | kSubtract}, {}, 1)
        .Add(499);
    return Event(kCalledEvent, kCalledOnly, list.Build());
}

game::CommonEvent HeavyEvent(std::int32_t trigger) {
    tools::CommandListBuilder list;
    list.Add(121, {Var(10), Var(11), 0, kLiteralA})
        .Add(122, {Text(5), 0, 0}, {"qvarn"})
        .Add(179, {kPasses})
        .Add(121, {Var(20), Var(20), 1, kLiteralB | kSum}, {}, 1)
        .Add(121, {Var(21), Var(10), 3, kIndirectA | kLiteralB | kProduct}, {}, 1)
        .Add(121, {Var(22), kDataBaseCell, Var(20), kRemainder}, {}, 1)
        .Add(121, {kOwnSelf1, Var(22), 0, kAdd}, {}, 1)
        .Add(121, {Var(23), kEvent1Self1, Var(21), kSum}, {}, 1)
        .Add(121, {kOwnCommonSelf3, 1, 0, kLiteralA | kAdd}, {}, 1)
        .Add(111, {1, Var(22), 100, kGreaterThanLiteral}, {}, 1)
        .Add(401, {1}, {}, 1)
        .Add(121, {Var(24), 1, 0, kLiteralA | kAdd}, {}, 2)
        .Add(420, {}, {}, 1)
        .Add(121, {Var(24), 1, 0, kLiteralA | kSubtract}, {}, 2)
        .Add(499, {}, {}, 1)
        .Add(122, {Text(6), kCopyText, Text(5)}, {}, 1)
        .Add(122, {Text(6), kAppendLiteral, 0}, {"!"}, 1)
        .Add(112, {1, Text(6)}, {"qvarn!"}, 1)
        .Add(401, {1}, {}, 1)
        .Add(121, {Var(25), 1, 0, kLiteralA | kAdd}, {}, 2)
        .Add(499, {}, {}, 1)
        .Add(250, {0, 1, 0, kWriteDataBase, Var(20)}, {}, 1)
        .Add(250, {0, 1, 0, kReadDataBase, Var(26)}, {}, 1)
        .Add(210, {500000 + kCalledEvent, 2, Var(20), Var(21)}, {}, 1)
        .Add(121, {Var(27), CalledSelf(2), 0, kSum}, {}, 1)
        .Add(179, {3}, {}, 1)
        .Add(121, {Var(28), Var(28), Var(27), kSum}, {}, 2)
        .Add(121, {Var(28), Var(28), 7, kLiteralB | kRemainder}, {}, 2)
        .Add(498, {}, {}, 1)
        .Add(498);
    return Event(kHeavyEvent, trigger, list.Build());
}

std::uint64_t lines_counted = 0;
bool CountLine() {
    ++lines_counted;
    return true;
}

void BM_HeavyScriptFrames(benchmark::State& state) {
    const bool heavy = state.range(0) != 0;
    const DemoGameSession session(
        state, "qvarn-heavy-script-bench", DrawRoute::kSoftwareDummy,
        {HeavyEvent(heavy ? kParallelAlways : kCalledOnly), CalledEvent()});
    if (!session.started())
        return;
    platform::InstallFakeClock(0);
    {
        game::MapScene scene;
        game::FrameLimit = game::FramesRun + kWarmUpFrames;
        game::RunScenes(scene);
        // One counted frame gives the lines a frame runs.
        lines_counted = 0;
        game::SetDispatchLineHook(&CountLine);
        game::FrameLimit = game::FramesRun + 1;
        game::RunScenes(scene);
        game::SetDispatchLineHook(nullptr);
        state.counters["commands_per_frame"] = static_cast<double>(lines_counted);
        RunCountedFrames(state, kFrames, [&] {
            game::FrameLimit = game::FramesRun + kFrames;
            game::RunScenes(scene);
        });
    }
    platform::RemoveFakeClock();
    state.counters["per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kFrames),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HeavyScriptFrames)
    ->ArgName("heavy")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace
