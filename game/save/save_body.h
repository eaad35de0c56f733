#pragma once

namespace game {

class SaveBuffer;
class SaveState;

// The body of a save in order: map, system state, variables, party, pictures, changeable
// database and the replay part (of the running game's recorder). The state's database is
// marked as written; SaveDataFlag becomes 1.
void WriteSaveBody(SaveBuffer& save, SaveState& state);

// Reads a body into a state that ResetSaveStateForRead renewed; damage shows in the buffer's
// read-past-end flag.
void ReadSaveBody(SaveBuffer& save, SaveState& state);

// Reads a checked body into the running game, replacing it part by part.
void ApplySaveBody(SaveBuffer& save);

}  // namespace game
