#pragma once

#include <cstdint>
#include <string_view>

namespace game {

class EventInterpreter;

// Set by the load command after a load or a replay start, cleared when the game restarts
// from the loaded state; while it is set every interpreter stops at once.
extern std::uint8_t SaveLoadedThisFrame;

// The steps one interpreter may take in one frame before it is reported and paused; a called
// event counts its own from the start of its own run.
constexpr int kCommandsPerFrame = 500000;

// Advances an interpreter by one frame: its child first, a finished key-input text, the
// waits in their order, the main interpreter's choice of its next event, then command lines
// until one is not finished or a stop condition holds.
void RunInterpreter(EventInterpreter& interpreter);

// The end of a key-input text of the string command: cancelled, the target gets back the
// kept text; confirmed, the kept text followed by the typed one, whose one-byte backslashes
// are doubled.
void FinishTextEntry(EventInterpreter& interpreter, bool cancelled, std::string_view typed);

// The evaluation step of the key-input command: the key code of the line's option groups
// into its target variable.
void EvaluateKeyInput(EventInterpreter& interpreter);

// Draws a running key-input text (of the interpreter's child when it has one).
void DrawKeyInputText(EventInterpreter& interpreter);

}  // namespace game
