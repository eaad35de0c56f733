#pragma once

#include <string>
#include <vector>

namespace game {

// GameFolder, a backslash and "Data\".
extern std::string DataFolder;
// The font files added at start-up, as paths from the game folder, in the order added.
extern std::vector<std::string> AddedFontFiles;

// Builds the game's global objects afresh in their order, once the game folder is current:
// the replay record first (it seeds the game's random generator), the map state after the
// databases (it reads the tile sets).
void BuildGameGlobals();

// What StartGame gives when the game started: no failed start ends with exit status 0.
inline constexpr int kStartedGame = 0;
// The exit status of a start that could not find what it needs (the game folder, "Game.dat",
// a map file), and of a game ended by a map file that could not be read.
inline constexpr int kFailedStart = 1;

// Start-up up to the databases: reads "Game.dat" and "Game.ini" from GameFolder, starts the
// layer, removes what cut-short writes left behind, sets up drawing, archives and the
// databases. kStartedGame, or the exit code: kFailedStart without a "Game.dat", -1 when the
// layer cannot start.
int StartGame(const std::string& commandLine);

// The game's start-up: reads "Game.dat" and "Game.ini" from GameFolder (chosen by the
// caller), starts the layer, loads the databases and runs the reset and scene loops. Returns
// kFailedStart without a "Game.dat" and -1 when the layer cannot start; otherwise the game
// ends in ShutdownGame.
int WinMain(const std::string& commandLine);

// Shuts the layer down, writes "Game.ini", takes the added fonts back and ends the process
// with exit code 0, or kFailedStart when a map file could not be read.
[[noreturn]] void ShutdownGame();

}  // namespace game
