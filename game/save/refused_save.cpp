#include "game/save/refused_save.h"

#include "game/core/format_text.h"
#include "game/core/game_folder.h"
#include "game/core/system_message_box.h"
#include "game/save/refused_save_texts.h"
#include "game/save/save_file.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// More kept copies of one save than anyone keeps: past it the save is not replaced.
constexpr int kMostKeptCopies = 9999;

// A file's name from the game folder on, as the user finds it there.
std::string NameInGameFolder(const std::string& path) {
    std::size_t start = path.starts_with(GameFolder) ? GameFolder.size() : 0;
    while (start < path.size() && (path[start] == '\\' || path[start] == '/'))
        ++start;
    return path.substr(start);
}

bool MayBeReplaced(const std::string& path) {
    switch (layer::GetPathKind(path.c_str())) {
        case layer::kPathMissing:
        case layer::kPathFolder:
            return true;
        case layer::kPathFile:
            return SaveFileAcceptable(path);
        default:
            return false;
    }
}

}  // namespace

bool KeepRefusedSave(const std::string& path) {
    if (MayBeReplaced(path))
        return true;
    for (int copy = 1; copy <= kMostKeptCopies; ++copy) {
        const std::string kept = FormatText("%s.refused-%d", path.c_str(), copy);
        const int renamed = layer::RenameToUnusedName(path.c_str(), kept.c_str());
        if (renamed == 0) {
            WriteConsoleLine(FormatText(kKeptRefusedFormat, NameInGameFolder(path).c_str(),
                                        NameInGameFolder(kept).c_str()));
            return true;
        }
        if (renamed < 0)
            break;
    }
    WriteConsoleLine(FormatText(kRefusedNotKeptFormat, NameInGameFolder(path).c_str()));
    return false;
}

}  // namespace game
