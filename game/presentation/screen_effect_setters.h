#pragma once

namespace game {

class MainInterpreter;
class ScreenState;

// Starts a change of the screen tone to (red, green, blue), -255..255 each, over frames
// frames, from the tone shown now.
void ChangeScreenTone(MainInterpreter& mainInterpreter, int red, int green, int blue, int frames);
// Starts a flash of the screen in (red, green, blue) that fades over frames frames.
void FlashScreen(MainInterpreter& mainInterpreter, int red, int green, int blue, int frames);
// Chooses the next screen transition: rule image number rule of system database type 11, or
// a plain fade for a negative rule; its length in frames, and whether events and the hero
// wait while it runs.
void SetScreenTransition(ScreenState& screenState, int rule, int length, int hold);

}  // namespace game
