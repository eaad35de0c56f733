#include "game/presentation/text_state.h"

#include <algorithm>
#include <array>
#include <utility>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_layer_calls.h"

namespace game {
namespace {

constexpr double kShowAtOnceProgress = 1000000.0;
constexpr double kProgressLimit = 50000000.0;
constexpr char kSpeedCode[] = {'\x01', '\x0C'};

// Sizes that older systems drew badly move to a neighbour.
using SizeMoves = std::array<std::pair<int, int>, 7>;
constexpr SizeMoves kSmallTileMoves{{{4, 3}, {5, 6}, {9, 8}, {11, 10}, {13, 12}, {0, 0}, {0, 0}}};
constexpr SizeMoves kLargeTileMoves{
    {{8, 7}, {10, 9}, {11, 9}, {13, 12}, {18, 17}, {22, 21}, {26, 25}}};

void GrowTo(std::vector<int>& list, int count) {
    if (static_cast<int>(list.size()) < count)
        list.resize(static_cast<std::size_t>(count), 0);
}

}  // namespace

TextState::TextState(int originX, int originY) : OriginX(originX), OriginY(originY) {
    TheTextLayerCalls.SetStandardFontType(2);
    TheTextLayerCalls.SetStandardFontThickness(0);
}

void TextState::ResetText() {
    LaidOutText = SourceText;
    LineWidths.clear();
    LineTops.clear();
    LineHeights.clear();
    MaxLineWidth = 0;
    MaxLinePixelWidth = 0;
    if (ShowAtOnce != 0) {
        Progress = kShowAtOnceProgress;
    } else {
        Progress = 0.0;
        PreviousProgress = 0.0;
    }
    WorkingText = SourceText;
    TimedWaitEnd = 0;
    TextWaitFrames = 0;
    KeyWaitPosition = 0;
    ControlBytes = 0;
    KeyWaitReached = 0;
    CloseWithoutKey = 0;
    DrawFailureShown = 0;
    // The text before the first speed code shows within one update, never faster than before.
    const std::size_t code = WorkingText.find(std::string(kSpeedCode, 2));
    if (code != std::string::npos) {
        const double cap = static_cast<double>(code + 1) * 30.0 / FramesPerUpdate;
        Speed = std::max(1.0, std::min(Speed, cap));
    }
}

void TextState::AdvanceText() {
    PreviousProgress = Progress;
    if (KeyWaitReached == 0 && TextWaitFrames <= 0)
        Progress = std::min(Progress + FramesPerUpdate * Speed / 30.0, kProgressLimit);
    if (TextWaitFrames >= 1)
        TextWaitFrames -= FramesPerUpdate;
}

bool TextState::IsTextShown() const {
    return static_cast<long long>(Progress) + ControlBytes >=
           static_cast<long long>(WorkingText.size());
}

void TextState::RecordLineMetrics(int height) {
    const int line = LineIndex;
    for (std::vector<int>* list : {&LineWidths, &LineTops, &LineHeights, &LinePixelWidths})
        GrowTo(*list, line + 1);
    const auto at = static_cast<std::size_t>(line);
    const int width = PenX * 2 / Scale;
    if (LineWidths[at] < width) {
        LineWidths[at] = width;
        LinePixelWidths[at] = PenX;
        MaxLineWidth = std::max(MaxLineWidth, width);
        MaxLinePixelWidth = std::max(MaxLinePixelWidth, PenX);
    }
    LineTops[at] = PenY * 2 / Scale;
    LineHeights[at] = height;
}

void TextState::MeasureText(int& width, int& height) {
    RenderText(*this, 0, 1.0, 1.0);
    width = 0;
    height = 0;
    for (std::size_t line = 0; line < LineWidths.size(); ++line) {
        width = std::max(width, LineWidths[line]);
        const int bottom = LineTops[line] + (line < LineHeights.size() ? LineHeights[line] : 0);
        height = std::max(height, bottom);
    }
}

int ClampFontSize(int size) {
    const bool smallTiles = TileSize == 16;
    size = smallTiles ? std::clamp(size, 2, 80) : std::clamp(size, 7, 129);
    if (TheScreenState.osVersion.platformId >= 2)
        return size;
    for (const auto& [from, to] : smallTiles ? kSmallTileMoves : kLargeTileMoves) {
        if (from == size && from != 0)
            return to;
    }
    return size;
}

}  // namespace game
