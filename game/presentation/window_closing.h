#pragma once

namespace game {

struct ChoiceWindow;
struct MessageWindow;

// Close the windows when the frame loop ends on a scene change, F12 or the end of a replay, so
// that no window stays open across a scene change and no interpreter keeps waiting on one.
// The message window releases an interpreter waiting on it; the choice window hands its
// cursor + 2 to the interpreter linked to it.
void CloseMessageWindow(MessageWindow& messageWindow);
void CloseChoiceWindow(ChoiceWindow& choiceWindow);

}  // namespace game
