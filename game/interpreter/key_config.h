#pragma once

#include <string>

namespace game {

class MainInterpreter;

// The key codes of the game: keyboard keys are 100 + key code (100 to 355), pad buttons 301
// to 315 for the pad bits 0x10 to 0x40000.

// Actions 0 confirm, 1 cancel, 2 sub. A pad code 301 to 315 is stored as its bit, other
// values as they are. When another action has the new value, it takes over the action's old
// one, so that no two actions share a key. An action outside 0 to 2 changes nothing.
void SetKeyConfig(int code, int action, bool keyboard, MainInterpreter& interpreter);
void SetKeyConfig(int code, int action, bool keyboard);
// The keyboard code of the action, or its pad bit as a pad code (0 for anything else).
int GetKeyConfig(int action, bool keyboard, const MainInterpreter& interpreter);
int GetKeyConfig(int action, bool keyboard);
// The name of the action's key (CP932): the key's name, or "ボタン1" to "ボタン15".
void GetKeyName(std::string& text, int action, bool keyboard);
// The display name of a keyboard key by key code; empty for keys without one.
void GetKeyNameText(std::string& text, int keyCode);

// The polls of the key-input command; `remembered` holds the key held when a wait began, so
// that it is not taken as the answer. A code asks for that key only; any other value asks
// for the first key held. They return a key code or 0.
int PollKeyboardCode(bool rememberNew, bool skipRemembered, int& remembered, int code);
int PollPadCode(bool rememberNew, bool skipRemembered, int& remembered, int code);
// PollPadCode over the given pad bits.
int MatchPadCode(int padBits, bool rememberNew, bool skipRemembered, int& remembered, int code);

}  // namespace game
