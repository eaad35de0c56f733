// qvarn-player [GAMEFOLDER] [WORDS...]: plays the game in GAMEFOLDER. The game folder is the
// first argument naming an existing folder; without one, the current folder when it holds
// "Game.dat", else the program's own folder. The other arguments are the game's command line.
#include <string>
#include <vector>

#include "game/core/command_line.h"
#include "game/core/game_folder.h"
#include "game/program/frame_loop.h"
#include "game/program/program_entry.h"
#include "layer/core/layer_api.h"

namespace {

constexpr int kPathCapacity = 4096;

std::string startFolder;

std::string CurrentFolder() {
    char path[kPathCapacity];
    return layer::GetCurrentFolderPath(path, kPathCapacity) > 0 ? std::string(path) : std::string();
}

bool NamesFolder(const std::string& argument) {
    if (layer::ChangeCurrentFolder(argument.c_str()) != 0)
        return false;
    layer::ChangeCurrentFolder(startFolder.c_str());
    return true;
}

// Makes the game folder current and returns it in game form with its trailing backslash.
std::string EnterGameFolder(const std::string& folderArgument) {
    if (!folderArgument.empty()) {
        layer::ChangeCurrentFolder(folderArgument.c_str());
    } else if (layer::GetDataFileSize("Game.dat") < 0) {
        char program[kPathCapacity];
        if (layer::GetProgramFolderPath(program, kPathCapacity) > 0)
            layer::ChangeCurrentFolder(program);
    }
    const std::string folder = CurrentFolder();
    return folder.empty() || layer::EndsWithPathSeparator(folder.c_str()) == 1 ? folder
                                                                               : folder + "\\";
}

}  // namespace

int main(int argc, char** argv) {
    startFolder = CurrentFolder();
    const game::FolderArgument taken = game::TakeFolderArgument(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), &NamesFolder);
    game::GameFolder = EnterGameFolder(taken.folder);
    game::BuildGameGlobals();
    // Start-up reads its first font files from the folder the program started in.
    layer::ChangeCurrentFolder(startFolder.c_str());
    game::FrameLimit = layer::GetTestHooks().exit_after_frames;
    return game::WinMain(taken.commandLine);
}
