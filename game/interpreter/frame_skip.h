#pragma once

namespace game {

// Sets the frame-skip level, clamped to 0 to 2: the main interpreter's level and draw step
// (1, 1/2 or 1/4 of the frames are drawn) and the FrameSkip setting kept in "Game.ini".
void SetFrameSkip(int level);

}  // namespace game
