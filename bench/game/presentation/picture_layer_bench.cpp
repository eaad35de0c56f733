// One picture layer drawn on the 640 x 480 software back screen of the headless demo game:
// 50 pictures of 64 x 64, each in the middle of a colour, shake or zoom effect, a third of them
// tinted with a channel above neutral (two colour passes), ten rotated and zoomed, and five of
// them 160 x 96 nine-cell windows. Goal on one core: at most 1 ms a layer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/game/map/demo_game_session.h"
#include "game/core/game_folder.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/picture_update.h"
#include "platform/game_path.h"
#include "tools/lib/demo_pictures.h"
#include "tools/lib/png_writer.h"

namespace {

constexpr int kPictures = 50;
constexpr int kWindows = 5;
constexpr int kRotated = 10;
constexpr int kSize = 64;
// Long enough that no effect ends while the benchmark runs.
constexpr int kEffectUpdates = 1000000;
constexpr char kImageName[] = "Picture\\Bench64.png";

enum EffectKind { kColourEffect = 1, kShakeEffect = 3, kZoomEffect = 4 };

// A 64 x 64 picture with soft edges, so that the blends have partial alpha to mix.
tools::RgbaPicture BenchPicture() {
    return tools::PaintPicture(kSize, kSize, [](int x, int y) {
        const int edge = std::min(std::min(x, y), std::min(kSize - 1 - x, kSize - 1 - y));
        return tools::RgbaColour{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                                 160, static_cast<std::uint8_t>(edge >= 8 ? 255 : edge * 32)};
    });
}

bool WriteBenchPicture() {
    const std::optional<std::string> path =
        platform::ResolveGamePathForCreate(game::GameFolder + "Data\\" + kImageName);
    if (!path)
        return false;
    const std::vector<std::uint8_t> bytes = tools::EncodePng(BenchPicture());
    std::ofstream file(*path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

game::PictureArgs PlacedAt(int index) {
    game::PictureArgs args;
    args.x = 20 + index % 10 * 60;
    args.y = 20 + index / 10 * 90;
    if (index % 3 == 0)
        args.colour = 0xC86496;
    return args;
}

// Pictures 1..50: the five windows first, then ten rotated and zoomed cells, the rest plain;
// one update settles their fade-ins, and the effects are started a few updates before the end.
void ShowBenchPictures(game::PictureList& list) {
    for (int index = 0; index < kPictures; ++index) {
        game::PictureArgs args = PlacedAt(index);
        const bool window = index < kWindows;
        args.text = window ? tools::kDemoSkinImage : kImageName;
        if (window) {
            args.splitX = 160;
            args.splitY = 96;
        }
        if (index >= kWindows && index < kWindows + kRotated) {
            args.angle = 300 + index * 150;
            args.anchor = 1;
        }
        const int zoom = index >= kWindows && index < kWindows + kRotated ? 130 : 100;
        game::ShowPictures(list, index + 1, index + 1, args, zoom, 0, window);
    }
    game::UpdatePictures(list);
    constexpr EffectKind kKinds[] = {kColourEffect, kShakeEffect, kZoomEffect};
    for (int index = 0; index < kPictures; ++index) {
        game::Picture* picture = list.FindPicture(index + 1);
        const EffectKind kind = kKinds[index % 3];
        if (kind == kColourEffect)
            game::StartPictureEffect(*picture, kind, -60, 40, 80, kEffectUpdates);
        else if (kind == kShakeEffect)
            game::StartPictureEffect(*picture, kind, 6, 4, kEffectUpdates, 3);
        else
            game::StartPictureEffect(*picture, kind, 32, 32, 150, kEffectUpdates);
    }
    for (int update = 0; update < 5; ++update)
        game::UpdatePictures(list);
}

void BM_PictureLayer(benchmark::State& state) {
    const DemoGameSession session(state, "qvarn-picture-bench");
    if (!session.started())
        return;
    if (!WriteBenchPicture()) {
        state.SkipWithError("the bench picture cannot be written");
        return;
    }
    game::PictureList list;
    ShowBenchPictures(list);
    if (list.Pictures.size() != kPictures) {
        state.SkipWithError("the pictures were not all shown");
        return;
    }
    RunCountedFrames(state, 1, [&] { game::DrawPictureLayer(list, 0); });
    state.counters["pictures"] = kPictures;
    list.ClearPictureList(true);
}
BENCHMARK(BM_PictureLayer)->Unit(benchmark::kMicrosecond);

}  // namespace
