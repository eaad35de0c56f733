#pragma once

// The demo game written to a temporary folder and started headless, for frame benchmarks;
// the layer is shut down and the folder removed at the end. Frames run through
// RunCountedFrames fail the benchmark when one of them drew nothing, and report their draws.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/program/program_entry.h"
#include "layer/core/layer_api.h"
#include "layer/graphics/draw_routes_2d.h"
#include "platform/game_path.h"
#include "tools/lib/demo_game.h"

class DemoGameSession {
  public:
    // Skips the benchmark with an error when the game cannot be written or started.
    DemoGameSession(benchmark::State& state, const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  (name + "-" + std::to_string(getpid()))) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("QVARN_AUTO_CONFIRM", "1", 1);
        if (!tools::WriteDemoGame(folder_)) {
            state.SkipWithError("the demo game cannot be written");
            return;
        }
        game::GameFolder = platform::DiskPathToGamePath(folder_.string()) + "\\";
        layer::ChangeCurrentFolder(game::GameFolder.c_str());
        game::BuildGameGlobals();
        if (game::StartGame("") != game::kStartedGame) {
            state.SkipWithError("the demo game does not start");
            return;
        }
        layer::ChangeDrawTarget(-2);
        started_ = true;
    }
    ~DemoGameSession() {
        if (started_) {
            layer::ShutdownLayer();
            game::LayerRunning = false;
        }
        std::filesystem::remove_all(folder_);
    }
    DemoGameSession(const DemoGameSession&) = delete;
    DemoGameSession& operator=(const DemoGameSession&) = delete;

    bool started() const { return started_; }

  private:
    std::filesystem::path folder_;
    bool started_ = false;
};

// Runs `frames` once per iteration, counting the 2D draws they made: an iteration without any
// skips the benchmark with an error (its draws were refused, so the figure would time
// nothing), and the draws per frame become the counter "draws".
template <typename Frames>
void RunCountedFrames(benchmark::State& state, long framesPerIteration, Frames frames) {
    std::uint64_t draws = 0;
    for (auto _ : state) {
        const std::uint64_t before = layer::draws_made_2d;
        frames();
        const std::uint64_t made = layer::draws_made_2d - before;
        if (made == 0) {
            state.SkipWithError("the frames drew nothing");
            return;
        }
        draws += made;
    }
    state.counters["draws"] =
        benchmark::Counter(static_cast<double>(draws) / static_cast<double>(framesPerIteration),
                           benchmark::Counter::kAvgIterations);
}
