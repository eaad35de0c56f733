#include "game/program/function_keys.h"

#include "game/core/game_ini.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/interpreter/frame_skip.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/screenshot.h"
#include "game/program/variable_view.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kNormalSize = 0;
constexpr int kFittedSize = 1;
constexpr int kHalfSize = 2;

void ChangeWindowScale() {
    WindowScaleMode = NextWindowScaleMode(WindowScaleMode, SoftModeFlag == 1);
    int width = 0;
    int height = 0;
    if (WindowScaleMode == kFittedSize) {
        layer::GetFullScreenClientSize(&width, &height);
    }
    layer::SetWindowScale(WindowScaleForMode(WindowScaleMode, width, height));
    layer::ShowMouseCursor(TheMainInterpreter.MouseCursorShown);
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

int WindowScaleMode = kNormalSize;

int NextWindowScaleMode(int mode, bool softwareDrawing) {
    const int next = (mode + 1) % 3;
    return next == kHalfSize && softwareDrawing ? kNormalSize : next;
}

// The fitted scale takes the narrower of the two ratios and leaves a little room.
double WindowScaleForMode(int mode, int fullScreenWidth, int fullScreenHeight) {
    if (mode == kHalfSize) {
        return 0.5;
    }
    if (mode != kFittedSize) {
        return 1.0;
    }
    const double width = fullScreenWidth / 640.0;
    const double height = fullScreenHeight / 480.0;
    return (height + 0.1 > width ? width : height) - 0.04;
}

void HandleFunctionKeys() {
    const InputState& input = TheInputState;
    if (input.f4Pressed != 0) {
        ChangeWindowScale();
    }
    if (input.f5Pressed != 0) {
        SetFrameSkip((TheMainInterpreter.FrameSkipLevel + 1) % 3);
    }
    if (input.f8Pressed != 0) {
        TheScreenState.overlayMode = (TheScreenState.overlayMode + 1) % 2;
    }
    if (input.f9Pressed != 0 && TestPlayMode == 1) {
        ShowVariableList(true);
    }
    if (input.f12Pressed != 0) {
        TheScreenState.SceneNumber = 0;
    }
    if (input.printPressed != 0 && ScreenShotFlag == 1) {
        TakeScreenshot(LocalTimeNow());
    }
}

}  // namespace game
