#include "game/presentation/choice_window.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/game_info.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/presentation/sound_manager.h"
#include "game/presentation/render_text.h"
#include "game/presentation/text_layer_calls.h"
#include "game/presentation/window_closing.h"
#include "layer/core/layer_api.h"

namespace game {

ChoiceWindow* TheChoiceWindow = nullptr;

namespace {

constexpr int kWindowGraphicsType = 10;
constexpr int kFrameData = 1;
constexpr int kCursorData = 2;
constexpr int kFramesPerCursorCell = 5;
constexpr int kOpeningDelay = 4;
constexpr int kBorder = 26;
constexpr int kSoundEffect = 2;
constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kLeftExit = 98;
constexpr int kRightExit = 99;
constexpr int kCloseRequestResult = 100;
constexpr int kLeftExitOption = 1;
constexpr int kRightExitOption = 2;
constexpr int kCloseResultOption = 4;

int Entry(const std::vector<int>& list, int index) {
    return index >= 0 && index < static_cast<int>(list.size())
               ? list[static_cast<std::size_t>(index)]
               : 0;
}

// Graph `index` of a cell list, -1 when there is none.
int Cell(const std::vector<int>& cells, int index) {
    return index >= 0 && index < static_cast<int>(cells.size())
               ? cells[static_cast<std::size_t>(index)]
               : -1;
}

bool LargeTiles() {
    const std::vector<std::int8_t>& flags = TheGameInfo.gameFlags;
    return !flags.empty() && flags[0] == 32;
}

void PlaySound(int number) {
    TheSoundManager.PlaySoundByNumber(kSoundEffect, number, 0, 0);
}

bool Selectable(const ChoiceWindow& choiceWindow, int item) {
    return Entry(choiceWindow.TextLayout.LineHeights, item) != 0;
}

// From `start`, stepping by `step` and wrapping, the first selectable of at most n items.
void SelectFrom(ChoiceWindow& choiceWindow, int start, int step) {
    const int count = TheScreenState.choiceCount;
    for (int tried = 0, item = start; tried < count; ++tried) {
        item = ((item % count) + count) % count;
        if (Selectable(choiceWindow, item)) {
            choiceWindow.Cursor = item;
            return;
        }
        item += step;
    }
}

void MoveCursor(ChoiceWindow& choiceWindow, int step) {
    const int count = TheScreenState.choiceCount;
    if (count <= 0)
        return;
    choiceWindow.Cursor = ((choiceWindow.Cursor + step) % count + count) % count;
    SelectFrom(choiceWindow, choiceWindow.Cursor, step);
    PlaySound(TheMainInterpreter.ChoiceCursorSound);
}

void CloseWith(ChoiceWindow& choiceWindow, int result, int sound) {
    choiceWindow.Cursor = result;
    CloseChoiceWindow(choiceWindow);
    PlaySound(sound);
}

// The auto-confirm test hook decides for the player: the first item that can be selected.
// The items go to the console, the one taken marked with "> ".
void TakeFirstItem(ChoiceWindow& choiceWindow) {
    choiceWindow.Cursor = 0;
    SelectFrom(choiceWindow, 0, 1);
    const std::string items = VisibleText(choiceWindow.TextLayout.SourceText);
    std::string lines;
    std::size_t start = 0;
    for (int item = 0; start < items.size(); ++item) {
        const std::size_t end = std::min(items.find('\n', start), items.size());
        lines += (item == choiceWindow.Cursor ? "> " : "  ") + items.substr(start, end - start);
        if (end + 1 < items.size())
            lines += '\n';
        start = end + 1;
    }
    WriteConsoleLine(lines);
    CloseWith(choiceWindow, choiceWindow.Cursor, TheMainInterpreter.ChoiceDecideSound);
}

// The first item under the mouse, empty items included; -1 for none.
int ItemUnderMouse(const ChoiceWindow& choiceWindow) {
    const InputState& input = TheInputState;
    const TextState& text = choiceWindow.TextLayout;
    const int t = TileSize * 4 / 10;
    const int right =
        choiceWindow.WindowX + choiceWindow.WindowWidth - t + (LargeTiles() ? 14 : -9);
    if (input.mouseX <= choiceWindow.WindowX + t - 3 || input.mouseX >= right)
        return -1;
    const int items = std::min<int>(TheScreenState.choiceCount, text.LineTops.size());
    for (int item = 0; item < items; ++item) {
        const int top = choiceWindow.WindowY + text.LineTops[static_cast<std::size_t>(item)];
        if (input.mouseY > top + t + 1 &&
            input.mouseY < top + Entry(text.LineHeights, item) + t + 1)
            return item;
    }
    return -1;
}

// Every step runs in one update: the first close hands the result over, a later one only
// changes the cursor and plays its sound.
void UpdateOpenChoice(ChoiceWindow& choiceWindow) {
    ScreenState& screenState = TheScreenState;
    const MainInterpreter& settings = TheMainInterpreter;
    const InputState& input = TheInputState;
    if (!choiceWindow.TextLayout.IsTextShown())
        return;
    if (screenState.choiceCloseNow != 0) {
        if ((screenState.choiceOptions & kCloseResultOption) != 0)
            choiceWindow.Cursor = kCloseRequestResult;
        CloseChoiceWindow(choiceWindow);
        return;
    }
    if (layer::GetTestHooks().auto_confirm != 0) {
        TakeFirstItem(choiceWindow);
        screenState.lastChoiceResult = choiceWindow.Cursor;
        return;
    }
    if (input.repeatDirection4 == 8)
        MoveCursor(choiceWindow, -1);
    if (input.repeatDirection4 == 2)
        MoveCursor(choiceWindow, 1);
    if (input.confirmPressed != 0)
        CloseWith(choiceWindow, choiceWindow.Cursor, settings.ChoiceDecideSound);
    const int cancel = screenState.choiceCancelValue;
    if (cancel != -1 && input.cancelPressed != 0)
        CloseWith(choiceWindow, cancel, settings.ChoiceCancelSound);
    if ((screenState.choiceOptions & kLeftExitOption) != 0 && input.leftPressed != 0)
        CloseWith(choiceWindow, kLeftExit, settings.ChoiceCancelSound);
    if ((screenState.choiceOptions & kRightExitOption) != 0 && input.rightPressed != 0)
        CloseWith(choiceWindow, kRightExit, settings.ChoiceCancelSound);
    if (settings.MouseWindowControl == 1) {
        if (const int item = ItemUnderMouse(choiceWindow); item != -1)
            choiceWindow.Cursor = item;
        if (input.mouseButtonsPressed[0] != 0)
            CloseWith(choiceWindow, choiceWindow.Cursor, settings.ChoiceDecideSound);
        if (cancel != -1 && input.mouseButtonsPressed[1] != 0)
            CloseWith(choiceWindow, cancel, settings.ChoiceCancelSound);
    }
    screenState.lastChoiceResult = choiceWindow.Cursor;
}

// Cells 1 to 9 of a nine-cell image around the rectangle, corners first, then edges, then
// the centre, in game pixels scaled by the zoom.
void DrawNineCells(const std::vector<int>& cells, int cellWidth, int cellHeight, int left, int top,
                   int right, int bottom) {
    const int l = left, t = top, r = right, b = bottom, w = cellWidth, h = cellHeight;
    struct Piece {
        int cell, x1, y1, x2, y2;
    };
    const std::array<Piece, 9> pieces{{
        {1, l, t, l + w, t + h},
        {3, r - w, t, r, t + h},
        {2, l + w, t, r - w, t + h},
        {4, l, t + h, l + w, b - h},
        {6, r - w, t + h, r, b - h},
        {5, l + w, t + h, r - w, b - h},
        {7, l, b - h, l + w, b},
        {9, r - w, b - h, r, b},
        {8, l + w, b - h, r - w, b},
    }};
    for (const Piece& piece : pieces) {
        const int graph = Cell(cells, piece.cell);
        if (graph >= 0)
            TheTextLayerCalls.PaintGraphStretched(piece.x1 * ZoomFactor, piece.y1 * ZoomFactor,
                                                  piece.x2 * ZoomFactor, piece.y2 * ZoomFactor,
                                                  graph, TransparentDrawFlag);
    }
}

void DrawFrame(const ChoiceWindow& choiceWindow) {
    if (choiceWindow.Alpha == 0 || choiceWindow.SkinLoaded == 0 ||
        (TileSize != 32 && TileSize != 16))
        return;
    if (choiceWindow.Alpha == 255)
        TheTextLayerCalls.ChangeBlendMode(kBlendNone, 255);
    else
        TheTextLayerCalls.ChangeBlendMode(kBlendTranslucent, choiceWindow.Alpha);
    const bool large = LargeTiles();
    const int x = choiceWindow.WindowX;
    const int y = choiceWindow.WindowY;
    DrawNineCells(choiceWindow.SkinCells, choiceWindow.SkinCellWidth, choiceWindow.SkinCellHeight,
                  large ? x : x - 1, y, x + choiceWindow.WindowWidth + (large ? 3 : -8),
                  y + choiceWindow.WindowHeight + (large ? 2 : -10));
}

void DrawCursor(const ChoiceWindow& choiceWindow) {
    const TextState& text = choiceWindow.TextLayout;
    const int cursor = choiceWindow.Cursor;
    if ((choiceWindow.FadeOn != 0 && choiceWindow.Alpha != 255) || cursor < 0 ||
        choiceWindow.CursorLoaded == 0 || cursor >= static_cast<int>(text.LineTops.size()))
        return;
    const bool large = LargeTiles();
    const int t = TileSize * 4 / 10;
    const int u = TileSize * 2 / 10;
    const int x = choiceWindow.WindowX;
    const int itemTop = choiceWindow.WindowY + text.LineTops[static_cast<std::size_t>(cursor)];
    const int itemBottom = itemTop + Entry(text.LineHeights, cursor);
    const int blend = TheMainInterpreter.ChoiceCursorBlend + 1;
    if (choiceWindow.CursorCells != 1) {
        TheTextLayerCalls.ChangeBlendMode(blend, 255);
        const int frame = Cell(choiceWindow.CursorCellList,
                               choiceWindow.CursorAnimCounter / kFramesPerCursorCell + 1);
        if (frame < 0)
            return;
        const int x1 = x + t - 3;
        const int y1 = large ? itemTop + t - 1 : itemTop + t + 1;
        const int x2 = x + choiceWindow.WindowWidth - t + (large ? 14 : -9);
        const int y2 = itemBottom + t + (large ? 2 : 3);
        TheTextLayerCalls.PaintGraphStretched(x1 * ZoomFactor, y1 * ZoomFactor, x2 * ZoomFactor,
                                              y2 * ZoomFactor, frame, TransparentDrawFlag);
        return;
    }
    TheTextLayerCalls.ChangeBlendMode(blend, choiceWindow.CursorBrightness);
    DrawNineCells(choiceWindow.CursorCellList, choiceWindow.CursorCellWidth,
                  choiceWindow.CursorCellHeight, x + u + t - (large ? 8 : 3),
                  large ? itemTop + t : itemTop + t + 1,
                  x + choiceWindow.WindowWidth - t + (large ? 3 : -9), itemBottom + t + 3);
}

// A third of the whole image's size, 0 when it did not load.
void CellSize(const std::vector<int>& cells, int& width, int& height) {
    width = 0;
    height = 0;
    TheTextLayerCalls.GetGraphExtent(Cell(cells, 0), &width, &height);
    width /= 3;
    height /= 3;
}

}  // namespace

ChoiceWindow::ChoiceWindow() {
    TextLayout.ChoiceLayout = 1;
    LoadChoiceWindowSkin(*this);
}

void LoadChoiceWindowSkin(ChoiceWindow& choiceWindow) {
    for (const std::vector<int>* cells : {&choiceWindow.SkinCells, &choiceWindow.CursorCellList}) {
        for (int graph : *cells)
            TheTextLayerCalls.RemoveGraph(graph, 0);
    }
    choiceWindow.SkinCells.clear();
    choiceWindow.CursorCellList.clear();
    const std::string frame = SysDataBase.ReadDBString(kWindowGraphicsType, kFrameData, 0);
    const std::string cursor = SysDataBase.ReadDBString(kWindowGraphicsType, kCursorData, 0);
    const int frames = std::max(1, SysDataBase.ReadDBValue(kWindowGraphicsType, kCursorData, 1));
    choiceWindow.CursorCells = frames;
    choiceWindow.SkinLoaded = LoadGraphicSP(frame, 3, 3, &choiceWindow.SkinCells, false) != -1;
    CellSize(choiceWindow.SkinCells, choiceWindow.SkinCellWidth, choiceWindow.SkinCellHeight);
    choiceWindow.CursorGraph =
        frames == 1 ? LoadGraphicSP(cursor, 3, 3, &choiceWindow.CursorCellList, false)
                    : LoadGraphicSP(cursor, 1, frames, &choiceWindow.CursorCellList, false);
    choiceWindow.CursorLoaded = choiceWindow.CursorGraph != -1;
    CellSize(choiceWindow.CursorCellList, choiceWindow.CursorCellWidth,
             choiceWindow.CursorCellHeight);
}

void UpdateChoiceWindow(ChoiceWindow& choiceWindow) {
    ScreenState& screenState = TheScreenState;
    choiceWindow.BlinkPhase = (choiceWindow.BlinkPhase + 3) % 140;
    choiceWindow.CursorBrightness = std::abs(choiceWindow.BlinkPhase - 70) + 185;
    choiceWindow.CursorAnimCounter =
        (choiceWindow.CursorAnimCounter + 1) % (choiceWindow.CursorCells * kFramesPerCursorCell);
    // A choice that comes with a message waits for the message page to be complete.
    if (screenState.messageOpen != screenState.choiceSeen) {
        screenState.lastChoiceResult = -1;
        return;
    }
    if (choiceWindow.OpenDelay > 0) {
        choiceWindow.OpenDelay -= choiceWindow.Alpha == 255 ? 3 : 1;
        return;
    }
    choiceWindow.TextLayout.AdvanceText();
    if (choiceWindow.Shown != 0 && choiceWindow.FadeOn != 0)
        choiceWindow.Alpha = std::min(255, choiceWindow.Alpha + 64);
    else
        choiceWindow.Alpha = std::max(0, choiceWindow.Alpha - 60);
    if (choiceWindow.IsOpen != 0) {
        UpdateOpenChoice(choiceWindow);
        return;
    }
    if (!screenState.choiceText.empty()) {
        choiceWindow.IsOpen = 1;
        screenState.windowBusy = 1;
        choiceWindow.Shown = 1;
        choiceWindow.OpenDelay = kOpeningDelay;
        MeasureChoiceWindow(choiceWindow);
        PlaceChoiceWindow(choiceWindow);
        return;
    }
    screenState.lastChoiceResult = -1;
    if (choiceWindow.Shown != 0) {
        choiceWindow.Shown = 0;
        screenState.windowBusy = 0;
    }
}

void MeasureChoiceWindow(ChoiceWindow& choiceWindow) {
    const ScreenState& screenState = TheScreenState;
    MainInterpreter& settings = TheMainInterpreter;
    TextState& text = choiceWindow.TextLayout;
    const int count = screenState.choiceCount;
    choiceWindow.Cursor = settings.ChoiceInitialCursor;
    settings.ChoiceInitialCursor = 0;
    if (choiceWindow.Cursor >= count)
        choiceWindow.Cursor = count - 1;
    if (choiceWindow.Cursor < 0)
        choiceWindow.Cursor = 0;
    if (screenState.messageOpen != 0)
        choiceWindow.OpenDelay = settings.WindowOpenDelay;
    if (!screenState.choiceText.empty()) {
        text.LaidOutText.clear();
        text.SourceText = screenState.choiceText;
    }
    const std::uint8_t showAtOnce = text.ShowAtOnce;
    text.ShowAtOnce = 1;
    RenderText(text, 0, 1.0, 1.0);
    text.ShowAtOnce = showAtOnce;
    SelectFrom(choiceWindow, choiceWindow.Cursor, 1);
    choiceWindow.WindowWidth = text.MaxLineWidth + kBorder;
    choiceWindow.WindowHeight = kBorder;
    if (!text.LineTops.empty()) {
        const int last = static_cast<int>(text.LineTops.size()) - 1;
        choiceWindow.WindowHeight += text.LineTops.back() + Entry(text.LineHeights, last);
    }
}

void PlaceChoiceWindow(ChoiceWindow& choiceWindow) {
    const MainInterpreter& settings = TheMainInterpreter;
    const auto fadeMode = static_cast<std::int8_t>(settings.ChoiceFadeMode);
    if (fadeMode == 0) {
        choiceWindow.FadeOn = 0;
        choiceWindow.Alpha = 0;
    } else if (fadeMode == 1) {
        choiceWindow.FadeOn = 1;
    }
    const int centreX = settings.ChoiceWindowX == -1 ? TileSize * 10 : settings.ChoiceWindowX;
    choiceWindow.WindowX = centreX - choiceWindow.WindowWidth / 2;
    choiceWindow.WindowY = settings.ChoiceWindowY == -1
                               ? 170 / ZoomFactor - choiceWindow.WindowHeight / 2
                               : settings.ChoiceWindowY;
    const int inset = TileSize * 4 / 10 + 2;
    choiceWindow.TextLayout.OriginX = (choiceWindow.WindowX + inset) * ZoomFactor;
    choiceWindow.TextLayout.OriginY = (choiceWindow.WindowY + inset) * ZoomFactor;
    choiceWindow.Shown = 1;
}

void DrawChoiceWindow(ChoiceWindow& choiceWindow) {
    if (choiceWindow.Shown == 0)
        return;
    DrawFrame(choiceWindow);
    DrawCursor(choiceWindow);
    TheTextLayerCalls.ChangeBlendMode(kBlendNone, 255);
    if (choiceWindow.OpenDelay <= 0)
        RenderText(choiceWindow.TextLayout, 1, 1.0, 1.0);
}

}  // namespace game
