#include "game/presentation/message_window.h"

#include <algorithm>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_layer_calls.h"
#include "game/presentation/window_closing.h"
#include "layer/core/layer_api.h"

namespace game {

MessageWindow* TheMessageWindow = nullptr;

namespace {

constexpr int kWindowGraphicsType = 10;
constexpr int kFramesPerCursorCell = 5;
constexpr int kBlendNone = 0;

// Confirm or cancel newly pressed, or a left click when the mouse works in windows; always
// with the auto-confirm test hook.
bool KeyOrClick() {
    const InputState& input = TheInputState;
    return layer::GetTestHooks().auto_confirm != 0 || input.confirmPressed != 0 ||
           input.cancelPressed != 0 ||
           (TheMainInterpreter.MouseWindowControl == 1 && input.mouseButtonsPressed[0] != 0);
}

void UpdateOpenWindow(MessageWindow& messageWindow) {
    ScreenState& screenState = TheScreenState;
    TextState& text = messageWindow.TextLayout;
    if (screenState.messageOpen == 0 && screenState.messageHold != 0) {
        CloseMessageWindow(messageWindow);
        return;
    }
    if (text.KeyWaitReached != 0) {
        messageWindow.PageCursorShown = 1;
        if (KeyOrClick())
            text.KeyWaitReached = 0;
        return;
    }
    if (!text.IsTextShown())
        return;
    screenState.choiceSeen = 1;
    messageWindow.PageCursorShown = 1;
    if (screenState.messageOpen == 0) {
        if (KeyOrClick() || text.CloseWithoutKey != 0)
            CloseMessageWindow(messageWindow);
        return;
    }
    messageWindow.PageCursorShown = 0;
    if (screenState.messageActive != 0)
        CloseMessageWindow(messageWindow);
}

// The cursor's top in game pixels.
int CursorTop() {
    const MainInterpreter& settings = TheMainInterpreter;
    if (settings.MessageWindowY == -1)
        return static_cast<int>(TileSize * 14.2);
    return std::max(0, std::min(static_cast<int>(TileSize * 14.5),
                                settings.PageCursorOffsetY + settings.MessageWindowY));
}

void DrawPageCursor(const MessageWindow& messageWindow) {
    const TextLayerCalls& calls = TheTextLayerCalls;
    calls.ChangeBlendMode(kBlendNone, 255);
    const int frameHeight = messageWindow.CursorHeight / messageWindow.CursorCells;
    const int sourceY = messageWindow.CursorAnimCounter / kFramesPerCursorCell * frameHeight;
    const int left = TheMainInterpreter.PageCursorX - messageWindow.CursorWidth / 2;
    const int top = CursorTop();
    if (ZoomFactor == 1) {
        calls.PaintGraphPart(left, top, 0, sourceY, messageWindow.CursorWidth, frameHeight,
                             messageWindow.CursorGraph, TransparentDrawFlag, 0);
        return;
    }
    // With a set position the bottom halves twice the cursor's height, not the frame height.
    const int bottom = TheMainInterpreter.MessageWindowY == -1
                           ? 2 * (top + frameHeight)
                           : 2 * top + 2 * messageWindow.CursorHeight / messageWindow.CursorCells;
    const int frame = calls.CreateSubGraph(0, sourceY, messageWindow.CursorWidth, frameHeight,
                                           messageWindow.CursorGraph);
    calls.PaintGraphStretched(2 * left, 2 * top, 2 * (left + messageWindow.CursorWidth), bottom,
                              frame, TransparentDrawFlag);
    calls.RemoveGraph(frame, 0);
}

}  // namespace

MessageWindow::MessageWindow() {
    LoadMessageWaitCursor(*this);
}

void LoadMessageWaitCursor(MessageWindow& messageWindow) {
    TheTextLayerCalls.RemoveGraph(messageWindow.CursorGraph, 0);
    messageWindow.IsOpen = 0;
    messageWindow.PageCursorShown = 0;
    messageWindow.WasOpen = 0;
    messageWindow.OpenDelay = 0;
    const std::string name = SysDataBase.ReadDBString(kWindowGraphicsType, 0, 0);
    messageWindow.CursorCells = std::max(1, SysDataBase.ReadDBValue(kWindowGraphicsType, 0, 1));
    messageWindow.CursorGraph = LoadGraphicSP(name, 1, 1, nullptr, false);
    messageWindow.CursorLoaded = messageWindow.CursorGraph != -1 ? 1 : 0;
    messageWindow.CursorWidth = 0;
    messageWindow.CursorHeight = 0;
    TheTextLayerCalls.GetGraphExtent(messageWindow.CursorGraph, &messageWindow.CursorWidth,
                                     &messageWindow.CursorHeight);
    messageWindow.CursorAnimCounter = 0;
}

void UpdateMessageWindow(MessageWindow& messageWindow) {
    ScreenState& screenState = TheScreenState;
    screenState.messageWindowValue = messageWindow.IsOpen != 0 ? 1 : 0;
    screenState.choiceSeen = 0;
    messageWindow.CursorAnimCounter =
        (messageWindow.CursorAnimCounter + 1) % (messageWindow.CursorCells * kFramesPerCursorCell);
    if (messageWindow.OpenDelay > 0) {
        if (--messageWindow.OpenDelay == 0)
            PlaceMessageWindow(messageWindow);
        return;
    }
    messageWindow.TextLayout.AdvanceText();
    if (messageWindow.IsOpen != 0) {
        UpdateOpenWindow(messageWindow);
        return;
    }
    if (!screenState.messageText.empty()) {
        messageWindow.IsOpen = 1;
        screenState.windowBusy = 1;
        OpenMessageWindow(messageWindow);
        PlaceMessageWindow(messageWindow);
        messageWindow.WasOpen = 1;
    } else if (messageWindow.WasOpen != 0) {
        messageWindow.WasOpen = 0;
        screenState.windowBusy = 0;
    }
}

void OpenMessageWindow(MessageWindow& messageWindow) {
    TextState& text = messageWindow.TextLayout;
    text.Speed = TheMainInterpreter.MessageSpeed;
    if (!TheScreenState.messageText.empty()) {
        text.LaidOutText.clear();
        text.SourceText = TheScreenState.messageText;
        if (layer::GetTestHooks().auto_confirm != 0)
            WriteConsoleLine(VisibleText(text.SourceText));
    }
    messageWindow.OpenDelay = TheMainInterpreter.WindowOpenDelay;
    RenderText(text, 0, 1.0, 1.0);
}

void PlaceMessageWindow(MessageWindow& messageWindow) {
    const MainInterpreter& settings = TheMainInterpreter;
    TextState& text = messageWindow.TextLayout;
    text.OriginX = settings.MessageWindowX == -1 ? TileSize * ZoomFactor / 2
                                                 : settings.MessageWindowX * ZoomFactor;
    text.OriginY = settings.MessageWindowY == -1 ? static_cast<int>(TileSize * 9.5) * ZoomFactor
                                                 : settings.MessageWindowY * ZoomFactor;
    messageWindow.WasOpen = 1;
}

void DrawMessageWindow(MessageWindow& messageWindow) {
    if (messageWindow.CursorLoaded != 0 && messageWindow.PageCursorShown != 0 &&
        messageWindow.CursorGraph != -1)
        DrawPageCursor(messageWindow);
    if (messageWindow.OpenDelay < 1) {
        TheTextLayerCalls.ChangeBlendMode(kBlendNone, 255);
        RenderText(messageWindow.TextLayout, 1, 1.0, 1.0);
    }
}

}  // namespace game
