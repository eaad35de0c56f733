#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// The flow commands: loops with break and continue, the case lines of branches and choices,
// labels and jumps to them, waits, the end of the event, the return to the title and the end
// of the game, the frozen map view and move routes.
std::uint8_t StartLoop(EventInterpreter& interpreter);
std::uint8_t BreakLoop(EventInterpreter& interpreter);
std::uint8_t ContinueLoop(EventInterpreter& interpreter);
std::uint8_t StartCountedLoop(EventInterpreter& interpreter);
std::uint8_t LoopEnd(EventInterpreter& interpreter);
// 401 and 420 share one rule, as do 402 and 421.
std::uint8_t BranchCase(EventInterpreter& interpreter);
std::uint8_t ChoiceCase(EventInterpreter& interpreter);
std::uint8_t BranchEnd(EventInterpreter& interpreter);
std::uint8_t EndEvent(EventInterpreter& interpreter);
std::uint8_t ReturnToTitle(EventInterpreter& interpreter);
std::uint8_t QuitGame(EventInterpreter& interpreter);
std::uint8_t WaitFrames(EventInterpreter& interpreter);
std::uint8_t WaitForMoves(EventInterpreter& interpreter);
// The referenced character follows a copy of the line's route; its first step is taken at
// once. Nothing when there is no such character.
std::uint8_t AssignMoveRoute(EventInterpreter& interpreter);
// Advances the line itself and answers 0, so the interpreter stops for the frame.
std::uint8_t RemoveMapEvent(EventInterpreter& interpreter);
std::uint8_t FreezeMapView(EventInterpreter& interpreter);
std::uint8_t UnfreezeMapView(EventInterpreter& interpreter);
std::uint8_t GoToLabel(EventInterpreter& interpreter);

// Leaves the innermost loop: the line moves to its loop end. Nothing without an open loop
// or when the loop end cannot be found.
void LeaveLoop(EventInterpreter& interpreter);
// Uses up one pass and moves the line back to the innermost loop's start.
void RepeatLoop(EventInterpreter& interpreter);

// The code of a loop end, as written by the editor or as a fast code.
constexpr bool IsLoopEndCode(std::int32_t code) {
    return code == 498 || code / 1000 == 498;
}

}  // namespace game
