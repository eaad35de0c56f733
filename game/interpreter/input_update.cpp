// The frame's input from the layer, with the settings the main interpreter holds.
#include "game/core/display_scale.h"
#include "game/core/input_mapping.h"
#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/interpreter/main_interpreter.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kPadOneWithKeyboard = 0x1001;

InputHistory history;

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

}  // namespace

// Replays arrive with the saves; until then every frame is live.
void UpdateInput(InputState& inputState) {
    const DeviceInput devices = ReadDevices(inputState);
    const InputMappingResult result =
        MapInput(inputState, history, devices, CurrentSettings(), nullptr);
    if (result.cursor == CursorRequest::kShow) {
        layer::ShowMouseCursor(1);
    } else if (result.cursor == CursorRequest::kHide) {
        layer::ShowMouseCursor(0);
    }
}

}  // namespace game
