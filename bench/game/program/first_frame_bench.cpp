// Goal: the demo's first drawn frame within 150 ms of start-up: reading the game's files,
// starting the layer, the first reset pass and the two frames up to the first drawing.
#include <benchmark/benchmark.h>

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
    for (auto _ : state) {
        layer::ChangeCurrentFolder(game::GameFolder.c_str());
        game::BuildGameGlobals();
        if (game::StartGame("") != game::kStartedGame) {
            state.SkipWithError("the demo game does not start");
            break;
        }
        {
            game::MapScene scene;
            game::FrameLimit = game::FramesRun + 2;
            game::RunScenes(scene);
        }
        state.PauseTiming();
        layer::ShutdownLayer();
        game::LayerRunning = false;
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DemoFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
