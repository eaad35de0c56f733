#include "game/program/frame_loop.h"

#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_view.h"
#include "game/presentation/window_closing.h"
#include "game/program/frame_pacing.h"
#include "game/program/frame_rate.h"
#include "game/program/function_keys.h"
#include "game/program/map_scene.h"
#include "game/save/replay_recorder.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

const PacingClock& LayerClock() {
    static const PacingClock clock{[] { return layer::GetMilliseconds(); },
                                   [](int ms) { layer::WaitMilliseconds(ms); }};
    return clock;
}

void CloseWindows(MapScene& mapScene) {
    CloseMessageWindow(mapScene.messageWindow);
    CloseChoiceWindow(mapScene.choiceWindow);
}

void ShiftFrameTimes(ScreenState& screenState) {
    for (std::size_t i = screenState.frameTimes.size() - 1; i > 0; --i)
        screenState.frameTimes[i] = screenState.frameTimes[i - 1];
    screenState.frameTimes[0] = layer::GetMilliseconds();
}

}  // namespace

long FramesRun = 0;
long FrameLimit = -1;

bool FrameLimitReached() {
    return FrameLimit >= 0 && FramesRun >= FrameLimit;
}

bool IsFinalFrame() {
    return FrameLimit >= 0 && FramesRun + 1 >= FrameLimit;
}

void RunMapSceneLoop(MapScene& mapScene) {
    FramePacing& pacing = mapScene.pacing;
    StartFramePacing(pacing, layer::GetMilliseconds(), FramesPerUpdate);
    BuildMapSprites(mapScene.mapView);
    ScreenState& screenState = TheScreenState;
    while (!FrameLimitReached()) {
        if (layer::PumpMessages() != 0)
            return;
        UpdateInput(TheInputState);
        if (ReplayActive != 0 && ReplayFinished != 0) {
            ReplayActive = 0;
            ReplayFinished = 0;
            screenState.SceneNumber = 0;
            CloseWindows(mapScene);
            return;
        }
        ShiftFrameTimes(screenState);
        RunMapSceneFrame(mapScene);
        HandleFunctionKeys();
        const int measuredFps = CountFrameRate(true);
        ++FramesRun;
        if (screenState.SceneNumber != 1) {
            CloseWindows(mapScene);
            return;
        }
        const InputState& input = TheInputState;
        ChooseFramePeriod(pacing, ReplayActive != 0, input.liveConfirm != 0, input.liveSub != 0);
        if (ReplayActive != 0 && input.liveCancel != 0)
            ReplayFinished = 1;
        PaceFrame(pacing, measuredFps, TheMainInterpreter.DrawStep, LayerClock());
    }
}

}  // namespace game
