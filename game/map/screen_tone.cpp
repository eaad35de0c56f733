#include "game/map/screen_tone.h"

#include <algorithm>

#include "game/interpreter/main_interpreter.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendAdditive = 2;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

}  // namespace

void ApplyScreenTone(const MainInterpreter& mainInterpreter, bool additive, bool reset,
                     std::array<int, 3>* out) {
    if (reset) {
        layer::ChangeBrightRgb(255, 255, 255);
        return;
    }
    const auto& tone = mainInterpreter.ToneCurrent;
    if (additive) {
        layer::ChangeBlendMode(kBlendAdditive, 255);
        layer::ChangeBrightRgb(255, 255, 255);
        if (std::none_of(tone.begin(), tone.end(), [](int c) { return c > 0; }))
            return;
        const int colour = layer::MakeScreenColor(
            std::max<int>(tone[0], 0), std::max<int>(tone[1], 0), std::max<int>(tone[2], 0));
        layer::PaintRectangle(0, 0, kScreenWidth, kScreenHeight, colour, 1);
        return;
    }
    if (std::all_of(tone.begin(), tone.end(), [](int c) { return c > 0; }))
        return;
    std::array<int, 3> bright{};
    for (std::size_t i = 0; i < bright.size(); ++i)
        bright[i] = tone[i] <= 0 ? 255 + tone[i] : 255;
    layer::ChangeBrightRgb(bright[0], bright[1], bright[2]);
    if (out != nullptr)
        *out = bright;
}

}  // namespace game
