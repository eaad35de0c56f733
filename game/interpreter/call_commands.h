#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Nested calls of any kind that an interpreter may make; a deeper call is reported once and
// not made, and the caller goes on. Without the cap a self-calling event exhausts the stack.
constexpr int kMaxCallDepth = 1000;

// Command 210: runs a common event or a map event's page as the caller's child, which the
// caller waits for.
std::uint8_t CallEvent(EventInterpreter& interpreter);
// Command 211: asks for a common event or a map event to start when the main interpreter is
// idle.
std::uint8_t ReserveEvent(EventInterpreter& interpreter);
// Command 300: calls a common event by its name, or the first common event of a ".common"
// file, which is loaded on its first call.
std::uint8_t CallEventByName(EventInterpreter& interpreter);

// Starts common event commonIndex as the caller's child on its list in place, the call line's
// number and string arguments written into its self variables first.
void StartCommonEventChild(EventInterpreter& caller, int commonIndex);

}  // namespace game
