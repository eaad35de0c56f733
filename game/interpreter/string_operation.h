#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Command 122: computes a text from a literal, a string variable or the player's typing,
// assigns or appends it, takes or cuts its first line or character, reads or writes a text
// file, lists a folder, or removes or replaces a part, and stores the expanded result.
// Answers 0 only when a key input is asked for while another one runs.
std::uint8_t StringOperation(EventInterpreter& interpreter);

}  // namespace game
