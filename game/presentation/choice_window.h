#pragma once

#include <cstdint>
#include <vector>

#include "game/presentation/text_state.h"

namespace game {

// The window that offers the items of the choice command, one per line of the screen
// state's choice text, in a nine-cell frame with a blinking cursor. Items without a
// character cannot be selected by the keys. A decision hands Cursor + 2 back to the waiting
// interpreter; Cursor then holds the item, the cancel result, 98 or 99 for the left and
// right exit keys, or 100 for a close request. With the auto-confirm test hook the first
// selectable item is taken as soon as the items are shown, and the items go to the console.
struct ChoiceWindow {
    // Loads the frame and the cursor.
    ChoiceWindow();

    // Laid out with every line one item.
    TextState TextLayout{0, 0};
    // 1: the frame fades in; 0: no frame.
    int FadeOn = 0;
    std::uint8_t IsOpen = 0;
    // The whole frame image, then its 3 x 3 cells in reading order.
    std::vector<int> SkinCells;
    // The whole cursor image, then its cells.
    std::vector<int> CursorCellList;
    int SkinCellWidth = 0;
    int SkinCellHeight = 0;
    int CursorCellWidth = 0;
    int CursorCellHeight = 0;
    // Animation frames of the cursor image; 1 means a nine-cell cursor.
    int CursorCells = 1;
    int CursorAnimCounter = 0;
    int CursorGraph = -1;
    int Alpha = 0;
    int BlinkPhase = 0;
    int CursorBrightness = 0;
    int Cursor = 0;
    int Shown = 0;
    // The frame's top-left and size in game pixels.
    int WindowX = 0;
    int WindowY = 0;
    int WindowWidth = 0;
    int WindowHeight = 0;
    int OpenDelay = 0;
    std::uint8_t SkinLoaded = 0;
    std::uint8_t CursorLoaded = 0;
};

// (Re)loads the frame (system database type 10, data 1) and the cursor (data 2).
void LoadChoiceWindowSkin(ChoiceWindow& choiceWindow);
void UpdateChoiceWindow(ChoiceWindow& choiceWindow);
void MeasureChoiceWindow(ChoiceWindow& choiceWindow);
void PlaceChoiceWindow(ChoiceWindow& choiceWindow);
void DrawChoiceWindow(ChoiceWindow& choiceWindow);

// The choice window of the live map scene, for the commands and the save loader; null without
// one.
extern ChoiceWindow* TheChoiceWindow;

}  // namespace game
