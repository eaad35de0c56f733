#pragma once

namespace game {

class MapScene;

// The map scene's frames: pump, input, one game frame, function keys, frame-rate count and
// pacing, until the window closes, the scene changes or a replay ends.
void RunMapSceneLoop(MapScene& mapScene);

// One game frame: the updates in their order, then the drawing when it is due.
void RunMapSceneFrame(MapScene& mapScene);

// Frames run so far, and the count after which the loop ends as if the window had been
// closed (-1 for no limit).
extern long FramesRun;
extern long FrameLimit;
// True once the loop ended on the frame limit.
bool FrameLimitReached();
// True while the frame running is the last one the frame limit allows.
bool IsFinalFrame();

}  // namespace game
