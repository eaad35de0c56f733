// One full 640 x 480 presentation of the retained frame through the dummy video driver. Goal:
// at most 0.5 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/presenter.h"
#include "platform/window.h"

namespace {

void BM_PresentFullFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    platform::WindowRequest request;
    platform::Window* window = platform::OpenWindow(request);
    if (window == nullptr) {
        state.SkipWithError("no window");
        return;
    }
    platform::ConfigureRetainedFrame(
        640, 480, {32, layer::kDdPixelFormatRgb, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0});
    platform::RetainedFrame& frame = platform::GetRetainedFrame();
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        frame.pixels[i] = static_cast<std::uint8_t>(i * 7);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ShowRetainedFrame(nullptr));
    }
    platform::CloseWindow(window);
}
BENCHMARK(BM_PresentFullFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
