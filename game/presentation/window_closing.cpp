#include "game/presentation/window_closing.h"

#include "game/core/screen_state.h"
#include "game/interpreter/window_links.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"

namespace game {

void CloseMessageWindow(MessageWindow& messageWindow) {
    messageWindow.PageCursorShown = 0;
    messageWindow.IsOpen = 0;
    messageWindow.TextLayout.SourceText.clear();
    ScreenState& screenState = TheScreenState;
    ReleaseMessageLink(screenState);
    screenState.messageHold = 0;
    screenState.messageText.clear();
    LinkMessageWindow(screenState, -1, nullptr);
    screenState.windowBusy = 0;
    screenState.messageOpen = 0;
    screenState.messageActive = 0;
}

void CloseChoiceWindow(ChoiceWindow& choiceWindow) {
    choiceWindow.IsOpen = 0;
    choiceWindow.Shown = 0;
    choiceWindow.TextLayout.SourceText.clear();
    ScreenState& screenState = TheScreenState;
    if (screenState.choiceLinkSlot != -1)
        ReturnChoiceResult(screenState, choiceWindow.Cursor + 2);
    screenState.choiceText.clear();
    LinkChoiceWindow(screenState, -1, nullptr);
    screenState.windowBusy = 0;
    screenState.choiceCloseNow = 0;
    screenState.messageHold = 0;
    choiceWindow.Alpha = 0;
    screenState.messageActive = screenState.messageOpen;
}

}  // namespace game
