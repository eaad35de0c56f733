#include "game/program/screen_effects.h"

#include <algorithm>

#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kTransitionFloor = -10;
constexpr int kRuleBorderRange = 64;

}  // namespace

void UpdateScreenToneAndFlash(MainInterpreter& mainInterpreter) {
    MainInterpreter& m = mainInterpreter;
    // A finished change (-1) leaves the tone at its target.
    if (m.ToneFramesLeft >= 0 && m.ToneFrames > 0) {
        for (std::size_t c = 0; c < m.ToneCurrent.size(); ++c) {
            m.ToneCurrent[c] =
                static_cast<std::int16_t>(m.ToneTarget[c] + (m.ToneStart[c] - m.ToneTarget[c]) *
                                                                m.ToneFramesLeft / m.ToneFrames);
        }
        m.ToneFramesLeft =
            m.ToneFramesLeft == 0
                ? std::int16_t{-1}
                : static_cast<std::int16_t>(std::max(0, m.ToneFramesLeft - FramesPerUpdate));
    }
    if (m.FlashFramesLeft > 0)
        m.FlashFramesLeft = static_cast<std::int16_t>(m.FlashFramesLeft - FramesPerUpdate);
}

void CountDownTransition(ScreenState& screenState) {
    screenState.transitionCounter =
        std::max(kTransitionFloor, screenState.transitionCounter - FramesPerUpdate);
}

void DrawScreenFlash(MainInterpreter& mainInterpreter) {
    const MainInterpreter& m = mainInterpreter;
    if (m.FlashFramesLeft <= 0 || m.FlashFrames <= 0)
        return;
    layer::ChangeBlendMode(kBlendTranslucent, m.FlashFramesLeft * 255 / m.FlashFrames);
    layer::ChangeBrightRgb(255, 255, 255);
    layer::PaintRectangle(0, 0, kScreenWidth, kScreenHeight,
                          layer::MakeScreenColor(m.ScreenFlashColour[0], m.ScreenFlashColour[1],
                                                 m.ScreenFlashColour[2]),
                          1);
}

void DrawScreenTransition(ScreenState& screenState) {
    ScreenState& s = screenState;
    if (s.TransitionRunning == 0)
        return;
    layer::ChangeBrightRgb(255, 255, 255);
    if (s.transitionCounter < 0 || s.transitionLength <= 0) {
        s.TransitionRunning = 0;
        s.transitionHold = 0;
        return;
    }
    const int part = s.transitionCounter * 255 / s.transitionLength;
    if (s.transitionPlainFade != 0) {
        layer::ChangeBlendMode(kBlendTranslucent, part);
        layer::PaintGraph(0, 0, s.offscreen1, 0);
        return;
    }
    layer::ChangeBlendMode(kBlendTranslucent, 255);
    layer::DrawBlendGraph(0, 0, s.offscreen1, 1, s.transitionImage, 255 - part, kRuleBorderRange);
}

void DrawFrozenScreen(ScreenState& screenState) {
    layer::ChangeBlendMode(kBlendNone, 255);
    layer::PaintGraph(0, 0, screenState.offscreen2, 0);
}

}  // namespace game
