#pragma once

#include <optional>
#include <string>
#include <vector>

namespace game {

// Where the game runs from, chosen from the program's arguments.
struct GameFolderChoice {
    // In game form with its trailing backslash; it is the current folder.
    std::string gameFolder;
    // The folder the program started in.
    std::string startFolder;
    // The game's own command line: the arguments without the one that named the folder.
    std::string commandLine;
};

// The game folder is the first argument when it names an existing folder; else the current
// folder when it holds "Game.dat"; else the program's own folder. Nothing, after a message box
// naming it, when the first argument was meant as the game folder (see TakeFolderArgument)
// but names no folder that can be used: the start fails then.
std::optional<GameFolderChoice> ChooseGameFolder(const std::vector<std::string>& arguments);

}  // namespace game
