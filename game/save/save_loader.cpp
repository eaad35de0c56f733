// Loading a save runs in two phases: the file is read into its slot's cached state and
// checked whole (sentinels, title, body, trailing bytes, check byte) before anything of the
// running game changes; only a good file is then applied, re-read from its checked bytes.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "game/core/damaged_data_file.h"
#include "game/core/data_file_loading.h"
#include "game/core/data_file_scrambler.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/core/save_buffer.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_body.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/save_frame.h"
#include "game/save/save_loader_texts.h"
#include "game/save/slot_variables.h"

namespace game {
namespace {

// Bytes a file may carry after its body, the first of them taken as the closing sentinel.
constexpr std::size_t kTrailingAllowance = 200;
constexpr std::int32_t kPlaySecondsId = 9000012;

// A checked save waiting for the running game to take it.
struct PendingLoad {
    int slot = 0;
    std::vector<std::uint8_t> image;
    std::size_t bodyStart = 0;
    std::uint16_t version = 0;
};
std::optional<PendingLoad> pendingLoad;

// Set while the damage report reads its seconds from another file: a damaged file met there
// is reported as 0 seconds, with no box of its own.
bool formattingDamageReport = false;

enum class FileCheck { kGood, kShort, kDamaged, kRefused, kUnsealed };

bool Damaged(SaveState& entry, int slot) {
    entry = SaveState();
    LinkSaveState(entry);
    if (formattingDamageReport)
        return false;
    formattingDamageReport = true;
    const int seconds = GetSlotVariable(slot, kPlaySecondsId, "");
    formattingDamageReport = false;
    ShowErrorBox(FormatText(kDamagedSaveFormat, slot, seconds), "", "");
    return false;
}

// Reads the descrambled image into the entry and checks it whole. The body start and the
// version are kept for the apply phase.
FileCheck CheckSaveImage(SaveBuffer& save, SaveState& entry, std::size_t& bodyStart,
                         TitleReport report) {
    std::uint8_t sentinel = 0;
    if (!save.ReadByte(sentinel))
        return FileCheck::kShort;
    if (sentinel != kSaveSentinel)
        return FileCheck::kDamaged;
    if (!CheckSaveTitle(save, report))
        return FileCheck::kRefused;
    bodyStart = save.position();
    ReadSaveBody(save, entry);
    if (save.readPastEnd() || save.end() - save.position() > kTrailingAllowance)
        return FileCheck::kDamaged;
    if (!save.ReadByte(sentinel))
        return FileCheck::kShort;
    return sentinel == kSaveSentinel ? FileCheck::kGood : FileCheck::kDamaged;
}

// A save file opened and checked whole into the entry, its check byte last.
struct CheckedSave {
    FileCheck check = FileCheck::kShort;
    SaveBuffer save;
    std::size_t bodyStart = 0;
};

CheckedSave CheckSaveFile(const std::vector<std::uint8_t>& file, SaveState& entry,
                          TitleReport report) {
    const DataFileFrame& frame = kSaveFileFrame;
    OpenedDataFile opened = OpenDataFile(file, frame);
    CheckedSave checked;
    checked.save = SaveBuffer(std::move(opened.image));
    checked.save.set_position(static_cast<std::size_t>(frame.headerLength));
    checked.check = CheckSaveImage(checked.save, entry, checked.bodyStart, report);
    if (checked.check == FileCheck::kGood &&
        !DataFileBodyIntact(checked.save.block(), frame, opened, checked.save.position()))
        checked.check = FileCheck::kUnsealed;
    return checked;
}

}  // namespace

bool ReadSaveFile(int slot, bool apply, bool replay, const std::string& prefix) {
    if (slot < 0)
        return false;
    const std::optional<std::string> path = SavePath(slot, prefix);
    if (!path)
        return false;
    const bool plain = !apply && !replay;
    if (plain && TheSaveCache.Loaded[*path])
        return true;
    if (plain && TheSaveCache.Missing[*path])
        return false;
    std::optional<std::vector<std::uint8_t>> file = ReadWholeDataFile(*path);
    if (!file) {
        TheSaveCache.Missing[*path] = true;
        return false;
    }
    TheSaveCache.Missing[*path] = false;
    SaveState& entry = CachedSaveState(*path);
    ResetSaveStateForRead(entry);
    LinkSaveState(entry);

    const CheckedSave checked = CheckSaveFile(*file, entry, TitleReport::kShown);
    if (checked.check == FileCheck::kShort || checked.check == FileCheck::kRefused)
        return false;
    if (checked.check == FileCheck::kUnsealed)
        ReportDamagedDataFile(*path);
    if (checked.check != FileCheck::kGood)
        return Damaged(entry, slot);
    LinkSaveState(entry);
    entry.mainInterpreter.SaveDataFlag = 1;
    TheSaveCache.Loaded[*path] = true;

    if (replay) {
        TheScreenState.SceneNumber = 0;
        ReplayActive = 1;
        ReplayFinished = 0;
        TheReplayRecorder = entry.replayRecorder;
        return true;
    }
    if (apply) {
        if (entry.changeableDataBase.GetDBTypeCount() == 0) {
            ShowErrorBox(kNoChangeableDataBase, GetProcessingPointText(), "");
            return false;
        }
        pendingLoad =
            PendingLoad{slot, checked.save.block(), checked.bodyStart, checked.save.version()};
    }
    return true;
}

bool SaveFileAcceptable(const std::string& path) {
    const std::optional<std::vector<std::uint8_t>> file = ReadWholeDataFile(path);
    if (!file)
        return false;
    SaveState scratch;
    LinkSaveState(scratch);
    return CheckSaveFile(*file, scratch, TitleReport::kQuiet).check == FileCheck::kGood;
}

bool LoadPending() {
    return pendingLoad.has_value();
}

bool ApplyPendingLoad() {
    if (!pendingLoad)
        return false;
    PendingLoad load = std::move(*pendingLoad);
    pendingLoad.reset();
    SaveBuffer save(std::move(load.image));
    save.set_position(load.bodyStart);
    save.set_version(load.version);
    ApplySaveBody(save);
    TheMainInterpreter.LastSaveSlot = load.slot;
    ClearSaveCache();
    return true;
}

}  // namespace game
