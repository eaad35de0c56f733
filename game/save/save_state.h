#pragma once

#include "game/core/database.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/presentation/picture_list.h"
#include "game/save/replay_recorder.h"

namespace game {

// The seven parts of a running game gathered in one value: what a save file holds and what
// the save-slot cache keeps per slot. Built in this order and destroyed in reverse. Copies
// carry the variables' link unchanged: whoever copies into a SaveState links it again.
class SaveState {
  public:
    // Fresh parts (the map reads the tile sets), linked, SaveDataFlag 0.
    SaveState();

    MapState mapState;
    MainInterpreter mainInterpreter;
    VariableStore variableStore;
    Party party;
    PictureList pictureList;
    DataBase changeableDataBase;
    ReplayRecorder replayRecorder;
};

// Points the state's variables at its own main interpreter.
void LinkSaveState(SaveState& state);

// Copies the running game (variables, main interpreter, map, party, pictures, changeable
// database) into the state and links it; the state's recorder stays.
void SnapshotRunningGame(SaveState& state);

// Fresh parts before a file is read into the state: the map reset, the pictures emptied
// without releasing images, the rest renewed, SaveDataFlag 0; the recorder stays.
void ResetSaveStateForRead(SaveState& state);

}  // namespace game
