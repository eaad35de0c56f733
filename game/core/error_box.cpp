#include "game/core/error_box.h"

#include <initializer_list>
#include <string>

#include "game/core/display_scale.h"
#include "game/core/format_text.h"
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
constexpr int kLineFontSize = 12;

// The band across the whole width from 6 to 9 tiles down, over the last drawn picture, with
// the standard font at half a tile and the drawing state left plain white.
void DrawBand(int red, int green, int blue) {
    const int unit = TileSize * ZoomFactor;
    layer::SetStandardFontSize(unit / 2);
    layer::SetStandardFontType(0);
    layer::ChangeBlendMode(kBlendTranslucent, 240);
    layer::PaintRectangle(0, 6 * unit, 20 * unit, 9 * unit,
                          layer::MakeScreenColor(red, green, blue), 1);
    layer::ChangeBlendMode(kBlendNone, 255);
    layer::ChangeBrightRgb(255, 255, 255);
}

void PrintWhite(int x, int y, const std::string& text) {
    layer::PrintText(x, y, text.c_str(), layer::MakeScreenColor(255, 255, 255), 0);
}

// Shows what `draw` drew and waits for the player, then returns the standard font to the
// game's size. With the auto-confirm hook the lines go to the console instead; before the
// layer runs, the system message box shows them.
ErrorBoxPoll current_poll = &PollErrorBox;

template <typename Draw>
void ShowBox(std::initializer_list<std::string_view> lines, Draw draw) {
    if (layer::GetTestHooks().auto_confirm != 0) {
        for (std::string_view line : lines)
            WriteConsoleLine(line);
        return;
    }
    if (!LayerRunning) {
        std::string text;
        for (std::string_view line : lines)
            text += (text.empty() ? "" : "\r\n") + std::string(line);
        ShowSystemMessageBox(text, "", MessageBoxButtons::kOk);
        return;
    }
    draw();
    layer::ShowFrame();
    WaitForErrorBoxConfirm(TheInputState, current_poll);
    if (TheErrorBoxServices.standardFontSize != nullptr)
        layer::SetStandardFontSize(TheErrorBoxServices.standardFontSize());
}

void ShowErrorPanel(std::string_view line1, std::string_view line2, std::string_view line3) {
    ShowBox({line1, line2, line3}, [&] {
        DrawBand(0, 50, 0);
        layer::SetStandardFontSize(kLineFontSize);
        PrintWhite(10, 200, std::string(line1));
        PrintWhite(10, 234, std::string(line2));
        PrintWhite(10, 260, std::string(line3));
    });
}

ErrorBoxSink current_sink = &ShowErrorPanel;

bool PumpForBox() {
    if (layer::PumpMessages() == 0)
        return true;
    if (layer::IsQuitRequested() != 0 && TheErrorBoxServices.shutdown != nullptr)
        TheErrorBoxServices.shutdown();
    else
        TheScreenState.SceneNumber = -1;
    return false;
}

}  // namespace

bool LayerRunning = false;
ErrorBoxServices TheErrorBoxServices;

ErrorBoxSink SetErrorBoxSink(ErrorBoxSink sink) {
    const ErrorBoxSink previous = current_sink;
    current_sink = sink != nullptr ? sink : &ShowErrorPanel;
    return previous;
}

void ShowErrorBox(std::string_view line1, std::string_view line2, std::string_view line3) {
    current_sink(line1, line2, line3);
}

void ShowErrorBoxPolling(ErrorBoxPoll poll, std::string_view line1, std::string_view line2,
                         std::string_view line3) {
    const ErrorBoxPoll kept = current_poll;
    current_poll = poll;
    current_sink(line1, line2, line3);
    current_poll = kept;
}

void ShowNumberBox(int a, int b, int c) {
    const std::string text = FormatText("%d   %d   %d", a, b, c);
    ShowBox({text}, [&] {
        DrawBand(128, 128, 128);
        const int unit = TileSize * ZoomFactor;
        const int width = layer::MeasureTextWidth(text.c_str(), static_cast<int>(text.size()), 0);
        PrintWhite(10 * unit - width / 2, 15 * unit / 2 - unit / 4, text);
    });
}

bool PollErrorBox(InputState& inputState) {
    if (!PumpForBox())
        return false;
    UpdateInput(inputState);
    return true;
}

bool PollErrorBoxLive(InputState& inputState) {
    if (!PumpForBox())
        return false;
    ReadLiveInput(inputState);
    return true;
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
