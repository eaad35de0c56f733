#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Command 220: saves the running game into a slot (mode 0), loads a slot into it (mode 1) or
// starts the replay a slot holds (mode 2). A good load stops every interpreter for the frame
// and leaves the main interpreter idle; the frame then applies it.
std::uint8_t SaveOrLoadGame(EventInterpreter& interpreter);
// Command 221: one variable of another slot into a variable of the running game.
std::uint8_t ReadSaveSlotVariable(EventInterpreter& interpreter);
// Command 222: a value of the running game into one variable of another slot, saved at once.
std::uint8_t WriteSaveSlotVariable(EventInterpreter& interpreter);

}  // namespace game
