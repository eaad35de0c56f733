#pragma once

namespace game {

class EventInterpreter;
class ScreenState;

// The links through which the message and choice windows release the interpreter that
// opened them. (-1, null) removes a link.
void LinkMessageWindow(ScreenState& screenState, int mode, EventInterpreter* interpreter);
void LinkChoiceWindow(ScreenState& screenState, int slot, EventInterpreter* interpreter);

// A choice was made or cancelled: the value becomes the branch result at the linked slot of
// the linked interpreter, whose message wait ends.
void ReturnChoiceResult(ScreenState& screenState, int value);

// The message window closed: an interpreter linked in mode 1 stops waiting.
void ReleaseMessageLink(ScreenState& screenState);

// Removes both links when they name this interpreter (it is going away).
void DropWindowLinks(ScreenState& screenState, const EventInterpreter* interpreter);

}  // namespace game
