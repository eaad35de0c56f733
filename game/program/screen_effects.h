#pragma once

namespace game {

class MainInterpreter;
class ScreenState;

// The per-frame steps of the screen tone, the flash and the screen transition, and their
// drawing.

// Moves the tone toward its target while a change runs, and the flash toward its end.
void UpdateScreenToneAndFlash(MainInterpreter& mainInterpreter);
// The transition counter falls by FramesPerUpdate and stops at -10.
void CountDownTransition(ScreenState& screenState);
// A whole-screen box in the flash colour, fading with the flash's frames left.
void DrawScreenFlash(MainInterpreter& mainInterpreter);
// The captured screen over the frame while a transition runs (faded, or through its rule
// image); ends the transition once its counter ran out.
void DrawScreenTransition(ScreenState& screenState);
// The frozen capture of the map, drawn in place of the map.
void DrawFrozenScreen(ScreenState& screenState);

}  // namespace game
