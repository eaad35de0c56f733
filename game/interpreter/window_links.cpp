#include "game/interpreter/window_links.h"

#include "game/core/screen_state.h"
#include "game/interpreter/event_interpreter.h"

namespace game {

void LinkMessageWindow(ScreenState& screenState, int mode, EventInterpreter* interpreter) {
    screenState.messageLinkMode = mode;
    screenState.messageLinkedInterpreter = interpreter;
}

void LinkChoiceWindow(ScreenState& screenState, int slot, EventInterpreter* interpreter) {
    screenState.choiceLinkSlot = slot;
    screenState.choiceLinkedInterpreter = interpreter;
}

void ReturnChoiceResult(ScreenState& screenState, int value) {
    EventInterpreter* interpreter = screenState.choiceLinkedInterpreter;
    if (interpreter == nullptr)
        return;
    interpreter->SetBranchResult(screenState.choiceLinkSlot, value);
    interpreter->messageWait = false;
}

void ReleaseMessageLink(ScreenState& screenState) {
    if (screenState.messageLinkMode == 1 && screenState.messageLinkedInterpreter != nullptr)
        screenState.messageLinkedInterpreter->messageWait = false;
}

void DropWindowLinks(ScreenState& screenState, const EventInterpreter* interpreter) {
    if (screenState.messageLinkedInterpreter == interpreter)
        LinkMessageWindow(screenState, -1, nullptr);
    if (screenState.choiceLinkedInterpreter == interpreter)
        LinkChoiceWindow(screenState, -1, nullptr);
}

}  // namespace game
