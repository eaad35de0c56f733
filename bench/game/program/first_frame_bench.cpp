// Goal: the demo's first drawn frame within 150 ms of start-up: reading the game's files,
// starting the layer, the first reset pass and the two frames up to the first drawing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry.h"
#include "game/program/reset_loop.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tools/lib/demo_game.h"

namespace {

void BM_DemoFirstFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("QVARN_AUTO_CONFIRM", "1", 1);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qvarn-demo-bench-" + std::to_string(getpid()));
    if (!tools::WriteDemoGame(folder)) {
        state.SkipWithError("the demo game cannot be written");
        return;
    }
    game::GameFolder = platform::DiskPathToGamePath(folder.string()) + "\\";
    // Wall time of the two steps: the start (files, layer start with its prescribed waits,
    // Game.ini) and the frames up to the first drawing.
    using Clock = std::chrono::steady_clock;
    double start_seconds = 0.0;
    double frames_seconds = 0.0;
    for (auto _ : state) {
        const auto begin = Clock::now();
        layer::ChangeCurrentFolder(game::GameFolder.c_str());
        game::BuildGameGlobals();
        if (game::StartGame("") != game::kStartedGame) {
            state.SkipWithError("the demo game does not start");
            break;
        }
        const auto started = Clock::now();
        {
            game::MapScene scene;
            game::FrameLimit = game::FramesRun + 2;
            game::RunScenes(scene);
        }
        const auto drawn = Clock::now();
        start_seconds += std::chrono::duration<double>(started - begin).count();
        frames_seconds += std::chrono::duration<double>(drawn - started).count();
        state.PauseTiming();
        layer::ShutdownLayer();
        game::LayerRunning = false;
        state.ResumeTiming();
    }
    const double runs =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["start_ms"] = benchmark::Counter(start_seconds * 1e3 / runs);
    state.counters["first_frames_ms"] = benchmark::Counter(frames_seconds * 1e3 / runs);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DemoFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
