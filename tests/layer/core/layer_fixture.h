#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "layer/core/core_settings.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/window_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "platform/clock.h"
#include "platform/display_hooks.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "tests/layer/core/fake_services.h"
#include "tests/support/temp_tree.h"

namespace test {

// A fake clock that keeps moving on its own, a quarter millisecond at a time, so that the
// layer's busy waits end quickly and its sleeps cost nothing.
class TickingClock {
  public:
    TickingClock() : ticker_([this] { Tick(); }) {}
    ~TickingClock() {
        stop_ = true;
        ticker_.join();
        platform::RemoveFakeClock();
    }
    TickingClock(const TickingClock&) = delete;
    TickingClock& operator=(const TickingClock&) = delete;

    // Stops the ticking, so that only the layer's own sleeps move the clock: a measured wait
    // then counts the sleeps alone, however slowly the machine runs them.
    void Pause() { paused_ = true; }

  private:
    void Tick() {
        while (!stop_) {
            if (!paused_)
                platform::AdvanceFakeClock(250'000);
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    }

    bool installed_ = (platform::InstallFakeClock(1'000'000'000'000), true);
    std::atomic<bool> stop_{false};
    std::atomic<bool> paused_{false};
    std::thread ticker_;
};

// The layer in a temporary folder with a fresh window state, fresh graphics on the headless
// display and the recording fakes of the pending services; the layer is shut down after each
// test.
class LayerTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetFakes();
        previous_folder_ = platform::GetCurrentFolder();
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.root().string()));
        layer::SetLogEnabled(1);
        layer::window_state = {};
        layer::window_state.window_mode = 1;
        ResetGraphics();
    }
    // The graphics end waits for an inactive window to come back; a test may leave it inactive.
    void TearDown() override {
        layer::window_state.active = 1;
        layer::ShutdownLayer();
        ResetGraphics();
        platform::SetCurrentFolder(previous_folder_);
        layer::SetLogFolder("");
    }

    static void ResetGraphics() {
        layer::direct_draw = layer::DirectDrawContext{};
        layer::draw_settings = layer::DrawSettings{};
        platform::ResetDisplayHooks();
    }

    std::string ReadLog() const { return tree.read("Log.txt"); }

    TempTree tree;
    TickingClock clock;
    std::string previous_folder_;
};

}  // namespace test
