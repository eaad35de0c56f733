#pragma once

// The demo game written to a temporary folder and started headless on a drawing route, for
// frame benchmarks; the layer is shut down and the folder removed at the end. Frames run
// through RunCountedFrames fail the benchmark when one of them drew nothing, and report their
// draws and the GPU read-backs they made.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/game_folder.h"
#include "game/program/program_entry.h"
#include "layer/core/layer_api.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/draw_routes_2d.h"
#include "platform/game_path.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/gfx3d/gl_surface.h"
#include "tools/lib/demo_game.h"

// Software on the dummy video driver, where GL cannot start; or on the offscreen driver,
// where it can: kept to software by "SoftModeFlag=1", or drawn through GL.
enum class DrawRoute { kSoftwareDummy, kSoftwareOffscreen, kGlOffscreen };

class DemoGameSession {
  public:
    // Skips the benchmark with an error when the game cannot be written or started, or does
    // not take the route.
    // extraCommonEvents are written after the demo's own.
    DemoGameSession(benchmark::State& state, const std::string& name,
                    DrawRoute route = DrawRoute::kSoftwareDummy,
                    const std::vector<game::CommonEvent>& extraCommonEvents = {})
        : folder_(std::filesystem::temp_directory_path() /
                  (name + "-" + std::to_string(getpid()))) {
        setenv("SDL_VIDEODRIVER", route == DrawRoute::kSoftwareDummy ? "dummy" : "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("QVARN_AUTO_CONFIRM", "1", 1);
        if (!tools::WriteDemoGame(folder_, extraCommonEvents)) {
            state.SkipWithError("the demo game cannot be written");
            return;
        }
        if (route == DrawRoute::kSoftwareOffscreen) {
            std::ofstream(folder_ / "Game.ini") << "Start=0\r\nSoftModeFlag=1\r\n";
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
        on_route_ = platform::HasGlContext() == (route == DrawRoute::kGlOffscreen);
        if (!on_route_) {
            state.SkipWithError("the demo game did not take the drawing route");
        }
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

    // Started on its route.
    bool started() const { return started_ && on_route_; }

  private:
    std::filesystem::path folder_;
    bool started_ = false;
    bool on_route_ = false;
};

// Runs `frames` once per iteration, then waits for the GPU (when drawing through GL), counting
// the 2D draws and the 3D batches they made: an iteration without any skips the benchmark with
// an error (its draws were refused, so the figure would time nothing); the draws per frame
// become the counter "draws", the read-backs of GPU copies per frame "read_backs".
template <typename Frames>
void RunCountedFrames(benchmark::State& state, long framesPerIteration, Frames frames) {
    std::uint64_t draws = 0;
    const std::uint64_t readBacksBefore = platform::GlReadBackCount();
    for (auto _ : state) {
        const std::uint64_t before = layer::draws_made_2d + layer::batches_sent_3d;
        frames();
        platform::FinishGl();
        const std::uint64_t made = layer::draws_made_2d + layer::batches_sent_3d - before;
        if (made == 0) {
            state.SkipWithError("the frames drew nothing");
            return;
        }
        draws += made;
    }
    const auto perFrame = [framesPerIteration](std::uint64_t count) {
        return benchmark::Counter(
            static_cast<double>(count) / static_cast<double>(framesPerIteration),
            benchmark::Counter::kAvgIterations);
    };
    state.counters["draws"] = perFrame(draws);
    state.counters["read_backs"] = perFrame(platform::GlReadBackCount() - readBacksBefore);
}
