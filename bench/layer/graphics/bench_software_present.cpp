// The screens work of one busy software frame: the 640 x 480 back screen, every pixel
// different, written into the window's frame and shown through the dummy video driver, at 16
// and 32 bits, 1 : 1 and stretched to a window of scale 2. No vertical-blank wait is timed.
// Goal: well under 2 ms a frame on one core, the whole busy frame included; the 32-bit 1 : 1
// present within twice the memcpy of the frame timed beside it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "layer/core/window_state.h"
#include "layer/graphics/software_frame.h"
#include "layer/softrender/memimg.h"
#include "platform/window.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A back screen whose pixels all differ from their neighbours.
void FillBusy(layer::MEMIMG* image) {
    const int bytes = layer::MemImgBytesPerPixel(*image);
    for (int y = 0; y < image->Height; ++y) {
        std::uint8_t* row = image->Pixels + y * image->Body->Pitch;
        for (int x = 0; x < image->Width; ++x) {
            const std::uint32_t value = static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u);
            std::memcpy(row + x * bytes, &value, static_cast<std::size_t>(bytes));
        }
    }
}

// Arguments: screen bits, window scale.
void BM_PresentSoftwareBackScreen(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const int bits = static_cast<int>(state.range(0));
    const int scale = static_cast<int>(state.range(1));
    platform::WindowRequest request;
    request.width = kWidth * scale;
    request.height = kHeight * scale;
    platform::Window* window = platform::OpenWindow(request);
    if (window == nullptr) {
        state.SkipWithError("no window");
        return;
    }
    layer::window_state.client_rect = {0, 0, request.width, request.height};
    layer::MEMIMG back;
    layer::SetupScreenMemImg(&back, kWidth, kHeight, -1, bits);
    FillBusy(&back);
    const layer::Rect source{0, 0, kWidth, kHeight};
    const layer::Rect destination{0, 0, request.width, request.height};
    for (auto _ : state) {
        benchmark::DoNotOptimize(layer::PresentSoftwareImage(back, destination, source));
    }
    layer::ReleaseMemImg(&back);
    platform::CloseWindow(window);
}
BENCHMARK(BM_PresentSoftwareBackScreen)
    ->Args({16, 1})
    ->Args({32, 1})
    ->Args({16, 2})
    ->Args({32, 2})
    ->Unit(benchmark::kMicrosecond);

// The peer: one memcpy of a 640 x 480 32-bit frame between two buffers.
void BM_MemcpyFrame(benchmark::State& state) {
    const std::size_t bytes = std::size_t{kWidth} * kHeight * 4;
    std::vector<std::uint8_t> source(bytes, 0x5A);
    std::vector<std::uint8_t> destination(bytes);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
