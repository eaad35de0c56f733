// The frame's input from the layer, with the settings the main interpreter holds.
#include "game/core/display_scale.h"
#include "game/core/input_mapping.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/replay_recorder.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kPadOneWithKeyboard = 0x1001;

InputHistory history;
// The box waits of a replay read the devices apart from the game's own history.
InputHistory liveHistory;

DeviceInput ReadDevices(InputState& state) {
    DeviceInput devices;
    devices.windowActive = layer::IsWindowActive() != 0;
    layer::ReadKeyboardState(reinterpret_cast<char*>(state.keys.data()));
    devices.keys = state.keys;
    devices.padBits = layer::GetPadInputBits(kPadOneWithKeyboard);
    if (devices.windowActive) {
        layer::GetMousePosition(&devices.mouseX, &devices.mouseY);
        devices.mouseButtons = layer::GetMouseButtons();
        devices.wheel = layer::TakeMouseWheelDelta();
    }
    devices.windowScale = layer::GetWindowScale();
    return devices;
}

InputSettings CurrentSettings() {
    const MainInterpreter& interpreter = TheMainInterpreter;
    InputSettings settings;
    settings.keys = {interpreter.ConfirmKey, interpreter.CancelKey, interpreter.SubKey};
    settings.padMasks = {interpreter.ConfirmPadMask, interpreter.CancelPadMask,
                         interpreter.SubPadMask};
    settings.repeatDelay = interpreter.KeyRepeatDelay;
    settings.repeatInterval = interpreter.KeyRepeatInterval;
    settings.framesPerUpdate = FramesPerUpdate;
    settings.tileSize = TileSize;
    settings.zoom = ZoomFactor;
    settings.mouseCursorShown = interpreter.MouseCursorShown != 0;
    return settings;
}

void ApplyCursorRequest(CursorRequest cursor) {
    if (cursor == CursorRequest::kShow) {
        layer::ShowMouseCursor(1);
    } else if (cursor == CursorRequest::kHide) {
        layer::ShowMouseCursor(0);
    }
}

}  // namespace

// Live frames are recorded; during a replay the recorded flags stand in for the devices.
void UpdateInput(InputState& inputState) {
    if (ReplayActive != 0 && ReplayFinished != 0)
        return;
    const DeviceInput devices = ReadDevices(inputState);
    if (ReplayActive != 0) {
        const ReplayKeys replayed = TheReplayRecorder.PlayReplayKeys();
        ApplyCursorRequest(
            MapInput(inputState, history, devices, CurrentSettings(), &replayed).cursor);
        return;
    }
    const InputMappingResult result =
        MapInput(inputState, history, devices, CurrentSettings(), nullptr);
    TheReplayRecorder.RecordReplayKeys(result.live);
    ApplyCursorRequest(result.cursor);
}

void ReadLiveInput(InputState& inputState) {
    const DeviceInput devices = ReadDevices(inputState);
    ApplyCursorRequest(
        MapInput(inputState, liveHistory, devices, CurrentSettings(), nullptr).cursor);
}

}  // namespace game
