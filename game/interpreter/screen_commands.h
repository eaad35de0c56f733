#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// The picture command (150): show, move, erase or cancel the delayed commands of one picture
// or a range of pictures.
std::uint8_t PictureOperation(EventInterpreter& interpreter);
// The screen colour command (151): a tone change, or a flash with bit 24.
std::uint8_t ScreenColorChange(EventInterpreter& interpreter);
// The transition commands: choose the next transition (160), capture the screen and freeze
// it (161; waits while a window is shown or a transition runs), and start the transition
// from the captured screen (162; waits while one runs).
std::uint8_t ConfigureTransition(EventInterpreter& interpreter);
std::uint8_t PrepareTransition(EventInterpreter& interpreter);
std::uint8_t ExecuteTransition(EventInterpreter& interpreter);

}  // namespace game
