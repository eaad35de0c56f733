#pragma once

#include <cstdint>
#include <string>

#include "game/core/event_records.h"

namespace game {

class EventInterpreter;

// The handlers of the command table built so far.
std::uint8_t CommandListEnd(EventInterpreter& interpreter);
std::uint8_t DisplayMessage(EventInterpreter& interpreter);
std::uint8_t OfferChoices(EventInterpreter& interpreter);
std::uint8_t SetChoiceCloseFlag(EventInterpreter& interpreter);
std::uint8_t SetMessageHoldFlag(EventInterpreter& interpreter);
std::uint8_t BranchOnNumbers(EventInterpreter& interpreter);
std::uint8_t BranchOnStrings(EventInterpreter& interpreter);
// The twelve codes 210000 + 10 a + c: target (set, add, subtract, multiply by a) the sum,
// difference or product (c) of two prepared cells.
std::uint8_t FastArithmetic(EventInterpreter& interpreter);
std::uint8_t FastJump(EventInterpreter& interpreter);
std::uint8_t FastLoopEnd(EventInterpreter& interpreter);

// Shows a text in the message window linked to the interpreter, which waits for it.
void ShowMessageText(EventInterpreter& interpreter, const std::string& text);
// Sets up the choice of a command line and links the choice window; false when the choice
// has nothing to show (it then closes at once with its cancel value).
bool OpenMessageOrChoice(EventInterpreter& interpreter, EventCommand command);

}  // namespace game
