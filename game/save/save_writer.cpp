#include <cstdint>
#include <ctime>
#include <vector>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/game_folder.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/refused_save.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/save_frame.h"
#include "game/save/save_writer_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// Room the disk must have beyond the file, as the game always asked.
constexpr long long kFreeSpaceAllowance = 200;

// False after the report when the disk is known to be too full; a failed query proceeds.
bool DiskHasRoom(const std::string& path, std::size_t fileBytes) {
    const long long free = layer::GetFreeDiskBytes(path.c_str());
    if (free < 0 || free >= static_cast<long long>(fileBytes) - kFreeSpaceAllowance)
        return true;
    ShowErrorBox(kDiskFullLine1, kDiskFullLine2, "");
    return false;
}

}  // namespace

bool WriteSaveFile(int slot, bool copy, const std::string& prefix) {
    if (ReplayActive != 0)
        return true;
    const std::optional<std::string> path = SavePath(slot, prefix);
    if (!path)
        return false;
    SaveState& state = CachedSaveState(*path);
    if (copy)
        SnapshotRunningGame(state);
    const std::vector<std::uint8_t> file =
        BuildSaveFile(state, kSaveFormatVersion,
                      ChooseScrambleHeader(static_cast<std::uint32_t>(std::time(nullptr))));
    layer::MakeFolderAtPath((GameFolder + "\\Save").c_str());
    if (!DiskHasRoom(*path, file.size()))
        return false;
    // A file this game never accepted may be the user's only copy of a save: it is kept.
    if (!TheSaveCache.Loaded[*path] && !KeepRefusedSave(*path))
        return false;
    if (layer::WriteWholeFile(path->c_str(), file.data(), static_cast<int>(file.size())) != 0) {
        WriteConsoleLine(FormatText(kWriteFailedFormat, path->c_str()));
        return false;
    }
    TheMainInterpreter.LastSaveSlot = slot;
    TheSaveCache.Loaded[*path] = true;
    TheSaveCache.Missing[*path] = false;
    return true;
}

}  // namespace game
