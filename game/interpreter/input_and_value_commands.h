#pragma once

#include <cstdint>

namespace game {

class EventInterpreter;

// Key input: the keys of this frame into a variable, or a wait for a key that the run loop
// evaluates each frame.
std::uint8_t ReadKeyInput(EventInterpreter& interpreter);
// A value of the game state (a character, the map, the system, a picture) combined into a
// variable.
std::uint8_t SetVariableFromState(EventInterpreter& interpreter);
// Places a character, or asks for a transfer of the hero; the next line runs a frame later.
std::uint8_t RelocateCharacter(EventInterpreter& interpreter);
// Plays, loads or releases a sound list entry, or a sound file named by the line's text.
std::uint8_t PlaySoundCommand(EventInterpreter& interpreter);
// Speaks the line's text through the speech library, played as a sound effect.
std::uint8_t PlaySpeech(EventInterpreter& interpreter);

}  // namespace game
