// The whole player on the demo: 600 frames of the real frame loop from the title (a reset
// pass, the title's message and choice, the map with its events), each one updated, drawn and
// presented on the dummy video driver. The clock is the platform's fake one, so the pacing's
// sleeps cost nothing and every frame is drawn. Goal: at most 1.2 ms of CPU a frame.
#include <benchmark/benchmark.h>

#include "bench/game/map/demo_game_session.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/reset_loop.h"
#include "platform/clock.h"

namespace {

constexpr long kFrames = 600;

void BM_DemoFrames(benchmark::State& state) {
    const DemoGameSession session(state, "qvarn-frames-bench");
    if (!session.started())
        return;
    platform::InstallFakeClock(0);
    {
        game::MapScene scene;
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
BENCHMARK(BM_DemoFrames)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
