#pragma once

// Stand-in for the load-time pre-pass until it arrives: the common events stay unprepared.

namespace game {

// Prepares the command lists of the loaded common events.
void LinkCommonEventCommands();

}  // namespace game
