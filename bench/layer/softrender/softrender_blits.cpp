// 640 x 480 32-bit software blits, each beside a pixman draw of the same kind on the same
// buffers; the run ends with our time divided by pixman's for every pair.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "layer/softrender/blend_tables.h"
#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_scaled.h"
#include "layer/softrender/memimg.h"

namespace {

using layer::MEMIMG;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct OwnedImage {
    MEMIMG image;
    pixman_image_t* pixman = nullptr;

    OwnedImage(int width, int height, std::uint32_t seed) {
        layer::SetupMemImg(&image, width, height, -1, 0, 1, 0, 0, 0, nullptr);
        std::mt19937 rng(seed);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = rng() | 0xFF000000;
                std::memcpy(image.Pixels + y * image.Body->Pitch + x * 4, &pixel, 4);
            }
        }
        pixman = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height,
                                          reinterpret_cast<std::uint32_t*>(image.Pixels),
                                          image.Body->Pitch);
    }
    ~OwnedImage() {
        pixman_image_unref(pixman);
        layer::ReleaseMemImg(&image);
    }
};

enum class Mode { Translucent, Additive };

struct Pair {
    const char* name;
    Mode mode;
    int parameter;
    int mmx;
    // Source size as a fraction of the destination: 1 plain, 2 halved, -2 doubled.
    int scale;
};

const Pair kPairs[] = {
    {"plain/translucent100", Mode::Translucent, 100, 0, 1},
    {"plain/translucent100/mmx", Mode::Translucent, 100, 1, 1},
    {"plain/translucent128", Mode::Translucent, 128, 0, 1},
    {"plain/translucent128/mmx", Mode::Translucent, 128, 1, 1},
    {"plain/additive255", Mode::Additive, 255, 0, 1},
    {"plain/additive255/mmx", Mode::Additive, 255, 1, 1},
    {"plain/additive100", Mode::Additive, 100, 0, 1},
    {"plain/additive100/mmx", Mode::Additive, 100, 1, 1},
    {"up2/translucent100", Mode::Translucent, 100, 0, -2},
    {"up2/translucent128/mmx", Mode::Translucent, 128, 1, -2},
    {"up2/additive255", Mode::Additive, 255, 0, -2},
    {"up2/additive100/mmx", Mode::Additive, 100, 1, -2},
    {"down2/translucent100", Mode::Translucent, 100, 0, 2},
    {"down2/translucent128/mmx", Mode::Translucent, 128, 1, 2},
    {"down2/additive255", Mode::Additive, 255, 0, 2},
    {"down2/additive100/mmx", Mode::Additive, 100, 1, 2},
};

int SourceSize(int size, int scale) {
    return scale > 0 ? size * scale : size / -scale;
}

void Ours(benchmark::State& state, const Pair& pair) {
    layer::BuildBlendTables();
    OwnedImage destination(kWidth, kHeight, 1);
    OwnedImage source(SourceSize(kWidth, pair.scale), SourceSize(kHeight, pair.scale), 2);
    layer::SoftDrawState draw;
    draw.draw_area = layer::Rect{0, 0, kWidth, kHeight};
    draw.blend_mode =
        pair.mode == Mode::Translucent ? layer::BlendTranslucent : layer::BlendAdditive;
    draw.blend_parameter = pair.parameter;
    draw.mmx = pair.mmx;
    for (auto _ : state) {
        if (pair.scale == 1) {
            layer::RenderMemImg(&destination.image, &source.image, 0, 0, 0, nullptr, draw);
        } else {
            layer::RenderMemImgStretched(&destination.image, &source.image,
                                         layer::Rect{0, 0, kWidth, kHeight}, 0, nullptr, draw);
        }
        benchmark::ClobberMemory();
    }
}

void Pixman(benchmark::State& state, const Pair& pair) {
    OwnedImage destination(kWidth, kHeight, 1);
    OwnedImage source(SourceSize(kWidth, pair.scale), SourceSize(kHeight, pair.scale), 2);
    pixman_image_t* mask = nullptr;
    if (pair.mode == Mode::Translucent || pair.parameter < 255) {
        const auto level = static_cast<std::uint16_t>(pair.parameter * 257);
        const pixman_color_t alpha{0, 0, 0, level};
        mask = pixman_image_create_solid_fill(&alpha);
    }
    if (pair.scale != 1) {
        pixman_transform_t transform;
        const pixman_fixed_t factor =
            pair.scale > 0 ? pixman_int_to_fixed(pair.scale) : pixman_fixed_1 / -pair.scale;
        pixman_transform_init_scale(&transform, factor, factor);
        pixman_image_set_transform(source.pixman, &transform);
        pixman_image_set_filter(source.pixman, PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
    const pixman_op_t op = pair.mode == Mode::Translucent ? PIXMAN_OP_OVER : PIXMAN_OP_ADD;
    for (auto _ : state) {
        pixman_image_composite32(op, source.pixman, mask, destination.pixman, 0, 0, 0, 0, 0, 0,
                                 kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    if (mask != nullptr) {
        pixman_image_unref(mask);
    }
}

// Keeps the mean time of every run to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }

    void PrintRatios() const {
        std::printf("\nours / pixman (time per draw)\n");
        for (const Pair& pair : kPairs) {
            const auto ours = times_.find(std::string("ours/") + pair.name);
            const auto theirs = times_.find(std::string("pixman/") + pair.name);
            if (ours != times_.end() && theirs != times_.end() && theirs->second > 0) {
                std::printf("%-28s %6.2f\n", pair.name, ours->second / theirs->second);
            }
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Pair& pair : kPairs) {
        benchmark::RegisterBenchmark((std::string("ours/") + pair.name).c_str(),
                                     [&pair](benchmark::State& s) { Ours(s, pair); })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("pixman/") + pair.name).c_str(),
                                     [&pair](benchmark::State& s) { Pixman(s, pair); })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
