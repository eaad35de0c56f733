// A page of text: 4 lines of 25 two-byte characters, anti-aliased, size 22, measured and drawn
// into a 32-bit software image with Debian's IPA Gothic. Goals: under 1 ms with the glyphs
// cached, under 20 ms when every glyph is rendered first.
#include <benchmark/benchmark.h>

#include <string>

#include "layer/media/glyph_cache.h"
#include "layer/media/media_services.h"
#include "layer/media/string_layout.h"
#include "layer/softrender/memimg.h"
#include "platform/text_encoding.h"
#include "tests/support/thirty_two_bit_text_services.h"

namespace {

struct Page {
    Page() {
        test::UseThirtyTwoBitTextServices();
        const std::string face = platform::Utf8ToCp932("ＭＳ ゴシック");
        font = layer::CreateFontToHandle(face.c_str(), 22, 5, 2, -1, -1, 0, -1, -1);
        layer::SetupMemImg(&image, 640, 480, -1, 0, 1, 0, 1, 0, nullptr);
        const std::string line = platform::Utf8ToCp932(
            "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗い");
        for (int i = 0; i < 4; ++i) {
            lines[i] = line.substr(static_cast<std::size_t>(i) * 10, 50);
        }
    }
    void DrawAll() {
        const layer::Rect clip{0, 0, 640, 480};
        for (int i = 0; i < 4; ++i) {
            benchmark::DoNotOptimize(
                layer::DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, lines[i].c_str(), 0, nullptr,
                                              nullptr, 1, font, 0, -1, 0, nullptr));
            layer::DrawStringThroughCache(1, 8, 8 + i * 26, 0, 1.0, 1.0, lines[i].c_str(), 0xFFFFFF,
                                          &image, &clip, 1, font, 0, -1, 0, nullptr);
        }
    }
    int font = -1;
    layer::MEMIMG image;
    std::string lines[4];
};

Page& ThePage() {
    static Page page;
    return page;
}

void BM_PageCached(benchmark::State& state) {
    Page& page = ThePage();
    page.DrawAll();
    for (auto _ : state) {
        page.DrawAll();
    }
}
BENCHMARK(BM_PageCached)->Unit(benchmark::kMicrosecond);

void BM_PageUncached(benchmark::State& state) {
    Page& page = ThePage();
    for (auto _ : state) {
        layer::ClearTextCache(page.font);
        page.DrawAll();
    }
}
BENCHMARK(BM_PageUncached)->Unit(benchmark::kMillisecond);

}  // namespace
