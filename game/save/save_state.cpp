#include "game/save/save_state.h"

#include "game/map/map_change.h"

namespace game {

SaveState::SaveState() {
    ResetMapState(mapState);
    LinkSaveState(*this);
    mainInterpreter.SaveDataFlag = 0;
}

void LinkSaveState(SaveState& state) {
    state.variableStore.link = &state.mainInterpreter;
}

void SnapshotRunningGame(SaveState& state) {
    state.variableStore = TheVariableStore;
    state.mainInterpreter = TheMainInterpreter;
    state.mapState = TheMapState;
    state.party = TheParty;
    state.pictureList = ThePictureList;
    state.changeableDataBase = CDataBase;
    LinkSaveState(state);
}

void ResetSaveStateForRead(SaveState& state) {
    ResetMapState(state.mapState);
    state.variableStore = VariableStore();
    state.party = Party();
    state.mainInterpreter = MainInterpreter();
    state.pictureList.ClearPictureList(false);
    state.changeableDataBase = DataBase();
    state.mainInterpreter.SaveDataFlag = 0;
}

}  // namespace game
