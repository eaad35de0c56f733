#pragma once

namespace game {

class MapScene;

// One pass of the reset loop: the running game becomes a new game. Common events, sounds,
// the replay record, the databases (from the second pass on) and every piece of running-game
// state are renewed, the hero is placed at the start and the command-line options are
// applied again.
void RunResetPass(MapScene& mapScene, bool firstPass);

// The reset loop and the scene loop: returns when the game is to end (the scene number -1,
// the window gone or the frame limit reached).
void RunScenes(MapScene& mapScene);

}  // namespace game
