// A 640 x 480 32-bit picture turned 10 degrees and scaled 0.9 about the screen centre, drawn
// as a four-corner quad and by the rotated blit, each timed beside pixman drawing the same
// affine transform with the nearest filter on the same buffers. Every benchmark reports our
// time per draw divided by pixman's as its "ratio" counter.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <random>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/fixed_point.h"
#include "layer/softrender/memimg.h"
#include "layer/softrender/quad_draw.h"
#include "layer/softrender/rotated_blit.h"
#include "layer/softrender/rotated_frame.h"

namespace {

using layer::MEMIMG;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr float kAngle = 10.0f * 3.14159265f / 180.0f;
constexpr float kScale = 0.9f;

struct Picture {
    MEMIMG image;
    pixman_image_t* pixman = nullptr;

    explicit Picture(std::uint32_t seed) {
        layer::SetupMemImg(&image, kWidth, kHeight, -1, 0, 1, 0, 0, 0, nullptr);
        std::mt19937 rng(seed);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t pixel = static_cast<std::uint32_t>(rng()) | 0xFF000000u;
                std::memcpy(image.Pixels + y * image.Body->Pitch + x * 4, &pixel, 4);
            }
        }
        pixman = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight,
                                          reinterpret_cast<std::uint32_t*>(image.Pixels),
                                          image.Body->Pitch);
    }
    ~Picture() {
        pixman_image_unref(pixman);
        layer::ReleaseMemImg(&image);
    }
};

enum class Draw { kQuad, kRotated };

void Polygon(benchmark::State& state, Draw draw, int mode, int parameter) {
    layer::BuildBlendTables();
    Picture dest(1);
    Picture source(2);
    layer::SoftDrawState settings;
    settings.draw_area = layer::Rect{0, 0, kWidth, kHeight};
    settings.blend_mode = mode;
    settings.blend_parameter = parameter;
    const int cx = kWidth / 2;
    const int cy = kHeight / 2;

    layer::RotatedFrame frame;
    layer::ComputeRotatedFrame(kWidth, kHeight, cx, cy, kAngle, kScale, &frame);
    layer::MemImgPoint corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i] = {static_cast<int>(layer::FixedWhole(frame.x[i])),
                      static_cast<int>(layer::FixedWhole(frame.y[i]))};
    }

    // pixman maps destination pixels back into the source.
    const double c = std::cos(static_cast<double>(kAngle)) / kScale;
    const double s = std::sin(static_cast<double>(kAngle)) / kScale;
    pixman_f_transform_t inverse = {{{c, s, -(cx * c + cy * s) + kWidth / 2},
                                     {-s, c, cx * s - cy * c + kHeight / 2},
                                     {0.0, 0.0, 1.0}}};
    pixman_transform_t transform;
    pixman_transform_from_pixman_f_transform(&transform, &inverse);
    pixman_image_set_transform(source.pixman, &transform);
    pixman_image_set_filter(source.pixman, PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_t* mask = nullptr;
    if (mode == layer::BlendTranslucent || parameter < 255) {
        const pixman_color_t alpha{0, 0, 0, static_cast<std::uint16_t>(parameter * 257)};
        mask = pixman_image_create_solid_fill(&alpha);
    }
    const pixman_op_t op = mode == layer::BlendTranslucent ? PIXMAN_OP_OVER : PIXMAN_OP_ADD;

    using Clock = std::chrono::steady_clock;
    double ours_total = 0.0;
    double pixman_total = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (draw == Draw::kQuad) {
            layer::RenderMemImgQuad(&dest.image, &source.image, corners, 0, nullptr, settings);
        } else {
            layer::RenderMemImgRotated(&dest.image, &source.image, cx, cy, kAngle, kScale, 0, 0,
                                       nullptr, settings);
        }
        benchmark::ClobberMemory();
        const auto middle = Clock::now();
        pixman_image_composite32(op, source.pixman, mask, dest.pixman, 0, 0, 0, 0, 0, 0, kWidth,
                                 kHeight);
        benchmark::ClobberMemory();
        const auto end = Clock::now();
        const double ours = std::chrono::duration<double>(middle - start).count();
        ours_total += ours;
        pixman_total += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(ours);
    }
    if (mask != nullptr) {
        pixman_image_unref(mask);
    }
    state.counters["pixman_us"] =
        benchmark::Counter(pixman_total * 1e6 / static_cast<double>(state.iterations()));
    state.counters["ratio"] = benchmark::Counter(pixman_total > 0 ? ours_total / pixman_total : 0);
}

void Register(const char* name, Draw draw, int mode, int parameter) {
    benchmark::RegisterBenchmark(
        name, [=](benchmark::State& state) { Polygon(state, draw, mode, parameter); })
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

[[maybe_unused]] const bool registered = [] {
    Register("polygon/quad/translucent100", Draw::kQuad, layer::BlendTranslucent, 100);
    Register("polygon/quad/additive255", Draw::kQuad, layer::BlendAdditive, 255);
    Register("polygon/quad/additive100", Draw::kQuad, layer::BlendAdditive, 100);
    Register("polygon/rotated/translucent100", Draw::kRotated, layer::BlendTranslucent, 100);
    Register("polygon/rotated/additive255", Draw::kRotated, layer::BlendAdditive, 255);
    Register("polygon/rotated/additive100", Draw::kRotated, layer::BlendAdditive, 100);
    return true;
}();

}  // namespace
