// The demo's first drawn frame on both drawing routes of the offscreen video driver: GL, then
// software ("SoftModeFlag=1"), each from start-up to the first drawing as BM_DemoFirstFrame
// times it. Goal: GL within 150 ms of software; the software case reports the difference as
// "gl_minus_software_ms". Mesa's on-disk shader cache is used as the environment sets it: the
// goal is measured cold, with MESA_SHADER_CACHE_DISABLE=true (the tests' setting). Only the
// software case's first start makes a GL context before switching: the switch holds for the
// rest of the process.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/program/frame_loop.h"
#include "game/program/map_scene.h"
#include "game/program/program_entry.h"
#include "game/program/reset_loop.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "platform/gfx3d/gl_context.h"
#include "tools/lib/demo_game.h"

namespace {

double gl_first_frame_ms = -1;

// Argument 1: GL; 0: software.
void BM_DemoFirstFrameOnRoutes(benchmark::State& state) {
    const bool gl = state.range(0) == 1;
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("QVARN_AUTO_CONFIRM", "1", 1);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("qvarn-demo-routes-bench-" + std::to_string(getpid()));
    if (!tools::WriteDemoGame(folder)) {
        state.SkipWithError("the demo game cannot be written");
        return;
    }
    game::GameFolder = platform::DiskPathToGamePath(folder.string()) + "\\";
    double total_ms = 0;
    for (auto _ : state) {
        // Every start rewrites "Game.ini"; the route's own is put back first.
        state.PauseTiming();
        std::ofstream(folder / "Game.ini")
            << (gl ? "Start=0\r\nSoftModeFlag=0\r\n" : "Start=0\r\nSoftModeFlag=1\r\n");
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
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
        platform::FinishGl();
        total_ms +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        state.PauseTiming();
        if (platform::HasGlContext() != gl) {
            state.SkipWithError("the demo game did not take the drawing route");
        }
        layer::ShutdownLayer();
        game::LayerRunning = false;
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
    if (state.iterations() == 0) {
        return;
    }
    const double mean_ms = total_ms / static_cast<double>(state.iterations());
    state.SetLabel(gl ? "gl" : "software");
    if (gl) {
        gl_first_frame_ms = mean_ms;
    } else if (gl_first_frame_ms >= 0) {
        state.counters["gl_minus_software_ms"] = gl_first_frame_ms - mean_ms;
    }
}
BENCHMARK(BM_DemoFirstFrameOnRoutes)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
