#include "game/core/error_box.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kHeldPollLimit = 10;
constexpr int kPollMilliseconds = 16;

bool AutoConfirm() {
    const char* value = std::getenv("QVARN_AUTO_CONFIRM");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

bool PollWindowAndInput(InputState& inputState) {
    if (layer::PumpMessages() != 0) {
        TheScreenState.SceneNumber = -1;
        return false;
    }
    UpdateInput(inputState);
    return true;
}

void DrawErrorPanel(std::string_view line1, std::string_view line2, std::string_view line3) {
    const int unit = TileSize * ZoomFactor;
    layer::SetStandardFontSize(unit / 2);
    layer::SetStandardFontType(0);
    layer::ChangeBlendMode(kBlendTranslucent, 240);
    layer::PaintRectangle(0, 6 * unit, 20 * unit, 9 * unit, layer::MakeScreenColor(0, 50, 0), 1);
    layer::ChangeBlendMode(kBlendNone, 255);
    layer::ChangeBrightRgb(255, 255, 255);
    layer::SetStandardFontSize(12);
    const int white = layer::MakeScreenColor(255, 255, 255);
    layer::PrintText(10, 200, std::string(line1).c_str(), white, 0);
    layer::PrintText(10, 234, std::string(line2).c_str(), white, 0);
    layer::PrintText(10, 260, std::string(line3).c_str(), white, 0);
    layer::ShowFrame();
}

void ShowErrorPanel(std::string_view line1, std::string_view line2, std::string_view line3) {
    if (AutoConfirm()) {
        for (std::string_view line : {line1, line2, line3})
            WriteConsoleLine(line);
        return;
    }
    if (!LayerRunning) {
        const std::string text =
            std::string(line1) + "\r\n" + std::string(line2) + "\r\n" + std::string(line3);
        ShowSystemMessageBox(text, "", MessageBoxButtons::kOk);
        return;
    }
    DrawErrorPanel(line1, line2, line3);
    WaitForErrorBoxConfirm(TheInputState, &PollWindowAndInput);
}

ErrorBoxSink current_sink = &ShowErrorPanel;

}  // namespace

bool LayerRunning = false;

ErrorBoxSink SetErrorBoxSink(ErrorBoxSink sink) {
    const ErrorBoxSink previous = current_sink;
    current_sink = sink != nullptr ? sink : &ShowErrorPanel;
    return previous;
}

void ShowErrorBox(std::string_view line1, std::string_view line2, std::string_view line3) {
    current_sink(line1, line2, line3);
}

int WaitForErrorBoxConfirm(InputState& inputState, ErrorBoxPoll poll) {
    int polls = 0;
    int held_polls = 0;
    for (;;) {
        ++polls;
        if (!poll(inputState))
            return polls;
        if (inputState.confirmPressed != 0 || inputState.mouseButtonsPressed[0] != 0)
            return polls;
        if (inputState.confirmHeld != 0 || inputState.mouseButtons[0] != 0) {
            if (++held_polls > kHeldPollLimit)
                return polls;
        } else {
            held_polls = 0;
        }
        layer::WaitMilliseconds(kPollMilliseconds);
    }
}

}  // namespace game
