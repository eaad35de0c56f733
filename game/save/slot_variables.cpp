#include "game/save/slot_variables.h"

#include "game/map/map_change.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "game/save/slot_variables_texts.h"

namespace game {
namespace {

bool IsRunningEventSelfId(std::int32_t id) {
    return id >= 1100000 && id <= 1199999;
}

bool IsRunningCommonSelfId(std::int32_t id) {
    return id >= 1600000 && id <= 1699999;
}

// The cached state of a slot after a plain read; null when the slot cannot be read.
SaveState* ReadSlot(int slot, const std::string& prefix) {
    if (!ReadSaveFile(slot, false, false, prefix))
        return nullptr;
    const std::optional<std::string> path = SavePath(slot, prefix);
    return path ? &CachedSaveState(*path) : nullptr;
}

// The slot's state to write into: a slot without a good file becomes a new game state.
SaveState* SlotToWrite(int slot, const std::string& prefix) {
    ReadSaveFile(slot, false, false, prefix);
    const std::optional<std::string> path = SavePath(slot, prefix);
    if (!path)
        return nullptr;
    SaveState& state = CachedSaveState(*path);
    if (!TheSaveCache.Loaded[*path]) {
        ResetMapState(state.mapState);
        state.mainInterpreter = MainInterpreter();
        state.variableStore = VariableStore();
        state.party = Party();
        state.pictureList = PictureList();
        state.changeableDataBase = DataBase();
        LinkSaveState(state);
    }
    return &state;
}

// Numbered slots are written under the default prefix, as their callers give them.
void SaveSlot(int slot, const std::string& prefix) {
    WriteSaveFile(slot, false, slot == 0 ? prefix : kDefaultSavePrefix);
}

}  // namespace

std::int32_t GetSlotVariable(int slot, std::int32_t id, const std::string& prefix) {
    if (slot < 0 || IsRunningEventSelfId(id) || IsRunningCommonSelfId(id))
        return 0;
    SaveState* state = ReadSlot(slot, prefix);
    return state ? state->variableStore.ReadValueById(id, &state->changeableDataBase) : 0;
}

std::string GetSlotString(int slot, std::int32_t id, const std::string& prefix) {
    if (slot < 0)
        return kNegativeSlotText;
    if (IsRunningCommonSelfId(id))
        return std::string();
    SaveState* state = ReadSlot(slot, prefix);
    return state ? state->variableStore.ReadStringById(id, &state->changeableDataBase)
                 : std::string();
}

void SetSlotVariable(int slot, std::int32_t id, std::int32_t value, const std::string& prefix) {
    if (IsRunningEventSelfId(id) || IsRunningCommonSelfId(id) || slot < 0)
        return;
    if (SaveState* state = SlotToWrite(slot, prefix)) {
        state->variableStore.StoreValueById(id, value, &state->changeableDataBase);
        SaveSlot(slot, prefix);
    }
}

void SetSlotString(int slot, std::int32_t id, const std::string& value, const std::string& prefix) {
    if (IsRunningCommonSelfId(id) || slot < 0)
        return;
    if (SaveState* state = SlotToWrite(slot, prefix)) {
        state->variableStore.StoreStringById(id, value, &state->changeableDataBase);
        SaveSlot(slot, prefix);
    }
}

}  // namespace game
