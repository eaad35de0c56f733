#pragma once

#include <cstdint>

#include "game/presentation/text_state.h"

namespace game {

// The window that shows the message text of the show-message command: it opens when the
// screen state's message text is set, reveals it at the message speed, waits at key waits
// and at the page end with an animated cursor, and closes on a key, a click (when the mouse
// works in windows), a close-without-key code, a close request, or the end of the choice
// that follows it. It draws no frame of its own. With the auto-confirm test hook each page's
// text goes to the console when it opens, and key waits and page ends pass as if confirmed.
struct MessageWindow {
    // Loads the page-wait cursor.
    MessageWindow();

    TextState TextLayout{0, 0};
    std::uint8_t IsOpen = 0;
    std::uint8_t PageCursorShown = 0;
    int CursorGraph = -1;
    // Set when the window opens or is placed; cleared by the first closed update afterwards.
    int WasOpen = 0;
    // Updates left before the text is advanced and drawn.
    int OpenDelay = 0;
    int CursorAnimCounter = 0;
    // Animation frames stacked top to bottom in the cursor image; a frame shows 5 updates.
    int CursorCells = 1;
    int CursorWidth = 0;
    int CursorHeight = 0;
    std::uint8_t CursorLoaded = 0;
};

// (Re)loads the page-wait cursor named by system database type 10, data 0, and closes the
// window's open state: a message open during a display restore starts again.
void LoadMessageWaitCursor(MessageWindow& messageWindow);
void UpdateMessageWindow(MessageWindow& messageWindow);
void OpenMessageWindow(MessageWindow& messageWindow);
void PlaceMessageWindow(MessageWindow& messageWindow);
void DrawMessageWindow(MessageWindow& messageWindow);

// The message window of the live map scene, for the commands and the save loader; null
// without one.
extern MessageWindow* TheMessageWindow;

}  // namespace game
