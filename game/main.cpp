// qvarn-player [GAMEFOLDER] [WORDS...]: plays the game in GAMEFOLDER. The game folder is the
// first argument when it names an existing folder; without one, the current folder when it
// holds "Game.dat", else the program's own folder. The other arguments are the game's command
// line. A start that fails ends with a nonzero exit status.
#include <optional>
#include <string>
#include <vector>

#include "game/core/game_folder.h"
#include "game/program/frame_loop.h"
#include "game/program/game_folder_choice.h"
#include "game/program/program_entry.h"
#include "layer/core/layer_api.h"

int main(int argc, char** argv) {
    const std::optional<game::GameFolderChoice> choice =
        game::ChooseGameFolder(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (!choice)
        return game::kFailedStart;
    game::GameFolder = choice->gameFolder;
    game::BuildGameGlobals();
    // Start-up reads its first font files from the folder the program started in.
    layer::ChangeCurrentFolder(choice->startFolder.c_str());
    game::FrameLimit = layer::GetTestHooks().exit_after_frames;
    return game::WinMain(choice->commandLine);
}
