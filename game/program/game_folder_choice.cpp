#include "game/program/game_folder_choice.h"

#include "game/core/command_line.h"
#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/program/game_folder_choice_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kPathCapacity = static_cast<int>(kMaxPathBytes);

// Empty when the path does not fit the limit.
std::string CurrentFolder() {
    char path[kPathCapacity];
    return layer::GetCurrentFolderPath(path, kPathCapacity) > 0 ? std::string(path) : std::string();
}

bool NamesFolder(const std::string& argument) {
    return layer::GetPathKind(argument.c_str()) == layer::kPathFolder;
}

void EnterFallbackFolder() {
    if (layer::GetDataFileSize("Game.dat") >= 0)
        return;
    char program[kPathCapacity];
    if (layer::GetProgramFolderPath(program, kPathCapacity) > 0)
        layer::ChangeCurrentFolder(program);
}

std::nullopt_t RefuseFolder(const std::string& text) {
    ShowSystemMessageBox(text, kFolderErrorCaption);
    return std::nullopt;
}

std::nullopt_t RefuseLongFolder(const std::string& folder) {
    return RefuseFolder(FormatText(kFolderTooLongFormat, folder.c_str(), kPathCapacity));
}

}  // namespace

std::optional<GameFolderChoice> ChooseGameFolder(const std::vector<std::string>& arguments) {
    GameFolderChoice choice;
    choice.startFolder = CurrentFolder();
    const FolderArgument taken = TakeFolderArgument(arguments, &NamesFolder);
    choice.commandLine = taken.commandLine;
    if (taken.unusableFolder.size() > kMaxPathBytes)
        return RefuseLongFolder(taken.unusableFolder);
    if (!taken.unusableFolder.empty())
        return RefuseFolder(FormatText(kNoSuchFolderFormat, taken.unusableFolder.c_str()));
    if (taken.folder.empty()) {
        EnterFallbackFolder();
    } else {
        layer::ChangeCurrentFolder(taken.folder.c_str());
    }
    const std::string folder = CurrentFolder();
    if (folder.empty() && !taken.folder.empty())
        return RefuseLongFolder(taken.folder);
    choice.gameFolder = folder.empty() || layer::EndsWithPathSeparator(folder.c_str()) == 1
                            ? folder
                            : folder + "\\";
    return choice;
}

}  // namespace game
