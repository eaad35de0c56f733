#pragma once

namespace game {

// Removes the unfinished files that whole-file writes (saves, "Game.ini") cut short by a crash
// left in the folders the player writes: the game folder and its "Save" folder. Only the
// writer's own files of unique names go; called once this copy holds the one-instance lock,
// when no other copy of the game can be writing there.
void RemoveLeftoverWrites();

}  // namespace game
