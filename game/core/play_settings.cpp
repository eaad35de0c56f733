#include "game/core/play_settings.h"

namespace game {

int TestPlayMode = 0;
int FramesPerUpdate = 1;
int MidiEnabled = 0;

}  // namespace game
