#include "game/program/debug_overlay.h"

#include <algorithm>
#include <cstdio>

#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/debug_panel.h"
#include "game/program/function_key_texts.h"
#include "game/save/replay_recorder.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kMaxSigns = 21;
constexpr int kTestPlayCaptionPeriod = 5;
constexpr int kPlaybackClockX = 530;
constexpr int kPlaybackClockY = 460;

// The draw-rate count and what the caption showed last.
struct OverlayCounters {
    bool started = false;
    int windowStart = 0;
    int drawCount = 0;
    int drawRate = 0;
    int calls = 0;
    int shownMode = -1;
    int shownDrawRate = -1;
    int shownFps = -1;
    int shownLevel = -1;
};

OverlayCounters counters;

std::string Format(const char* format, auto... values) {
    char text[512];
    std::snprintf(text, sizeof(text), format, values...);
    return text;
}

int Level(int frameSkipLevel) {
    return std::clamp(frameSkipLevel, 0, 2);
}

void CountDraws() {
    const int now = layer::GetMilliseconds();
    if (!counters.started) {
        counters.started = true;
        counters.windowStart = now;
    }
    ++counters.drawCount;
    if (now - counters.windowStart >= 1000) {
        counters.drawRate = counters.drawCount;
        counters.drawCount = 0;
        counters.windowStart = now;
    }
}

void UpdateCaption() {
    const int mode = TheScreenState.overlayMode;
    const MainInterpreter& interpreter = TheMainInterpreter;
    ++counters.calls;
    if (mode == 0) {
        if (mode != counters.shownMode) {
            const std::string title =
                TheGameInfo.gameStrings.empty() ? std::string() : TheGameInfo.gameStrings[0];
            layer::SetWindowCaption(TitleCaption(title).c_str());
        }
    } else if (TestPlayMode == 1) {
        if (counters.calls % kTestPlayCaptionPeriod == 0) {
            const auto& times = TheScreenState.frameTimes;
            layer::SetWindowCaption(TestPlayCaption(counters.drawRate, interpreter.FrameSkipLevel,
                                                    TheScreenState.drawTime,
                                                    interpreter.MeasuredFps, layer::GetGraphCount(),
                                                    TheInputState.mouseX * TileSize / 32,
                                                    TheInputState.mouseY * TileSize / 32,
                                                    *std::max_element(times.begin(), times.end()))
                                        .c_str());
        }
    } else if (counters.drawRate != counters.shownDrawRate ||
               interpreter.MeasuredFps != counters.shownFps ||
               interpreter.FrameSkipLevel != counters.shownLevel || mode != counters.shownMode) {
        layer::SetWindowCaption(
            PlayCaption(counters.drawRate, interpreter.MeasuredFps, interpreter.FrameSkipLevel)
                .c_str());
    }
    counters.shownMode = mode;
    counters.shownDrawRate = counters.drawRate;
    counters.shownFps = interpreter.MeasuredFps;
    counters.shownLevel = interpreter.FrameSkipLevel;
}

}  // namespace

std::string TitleCaption(const std::string& title) {
    return Format(kTitleCaptionFormat, title.c_str());
}

std::string PlayCaption(int drawRate, int measuredFps, int frameSkipLevel) {
    return Format(kPlayCaptionFormat, drawRate, measuredFps,
                  kSkipLevelNames[Level(frameSkipLevel)]);
}

std::string TestPlayCaption(int drawRate, int frameSkipLevel, int drawTime, int measuredFps,
                            int graphCount, int mouseX, int mouseY, int eventTime) {
    return Format(kTestPlayCaptionFormat, drawRate, kSkipNames[Level(frameSkipLevel)], drawTime,
                  measuredFps, graphCount, mouseX, mouseY, EventTimeBar(eventTime).c_str());
}

std::string EventTimeBar(int eventTime) {
    std::string bar = std::to_string(eventTime);
    int signs = 0;
    for (int k = 0; k < eventTime && signs < kMaxSigns; ++k) {
        const char* sign = nullptr;
        if (k < 10) {
            sign = "|";
        } else if (k <= 25 && k % 3 == 0) {
            sign = kEventTimeMidSign;
        } else if (k >= 26 && k % 5 == 0) {
            sign = kEventTimeHighSign;
        }
        if (sign != nullptr) {
            bar += sign;
            ++signs;
        }
    }
    return bar;
}

std::string PlaybackClock(std::uint32_t framesPlayed) {
    return Format("%.2i:%.2i:%.2i", framesPlayed / 216000, framesPlayed % 216000 / 3600,
                  framesPlayed % 3600 / 60);
}

void DrawDebugOverlay() {
    CountDraws();
    if (ReplayActive != 0) {
        layer::PrintFormattedText(kPlaybackClockX, kPlaybackClockY,
                                  layer::MakeScreenColor(235, 235, 255), "%s",
                                  PlaybackClock(TheReplayRecorder.FramesPlayed).c_str());
    }
    UpdateCaption();
    if (TestPlayMode == 1 && TheInputState.f8Held != 0)
        DrawDebugPanel();
    TheMainInterpreter.DebugSecondCount = counters.drawRate;
}

}  // namespace game
