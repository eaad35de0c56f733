#pragma once

#include <cstdint>

namespace game {

// The main event interpreter with the game-wide system state. Only the system-state fields
// that input, the function keys and the frame count use are here so far; the interpreter
// part and the other fields join them with the interpreter.
class MainInterpreter {
  public:
    int PlaySeconds = 0;
    int PlayMilliseconds = 0;
    // The draw accumulator's step per frame: 1.0, 0.5, 0.25 for frame-skip level 0, 1, 2.
    float DrawStep = 1.0f;
    int MeasuredFps = 0;
    // The draw rate the debug overlay counts per second.
    int DebugSecondCount = 0;
    int FrameSkipLevel = 0;
    int DefaultFontSize = 22;
    // Frames before a held key repeats and between repeats.
    int KeyRepeatDelay = 16;
    int KeyRepeatInterval = 5;
    // Keyboard codes (100 + key code) and pad bits of the confirm, cancel and sub actions.
    int ConfirmKey = 144;
    int CancelKey = 145;
    int SubKey = 146;
    int ConfirmPadMask = 16;
    int CancelPadMask = 32;
    int SubPadMask = 64;
    std::uint8_t MouseCursorShown = 1;
};

extern MainInterpreter TheMainInterpreter;

}  // namespace game
