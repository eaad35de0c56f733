#pragma once

namespace game {

class MainInterpreter;
class SaveBuffer;

// The main interpreter's system state as one record of the save body, in the layout of the
// buffer's version (the newest, 111, for every save the game writes).
bool WriteSystemState(SaveBuffer& save, const MainInterpreter& mainInterpreter);

// Reads the rows the save's version carries; rows of later versions keep their values. Reads
// a slot's mouse-cursor setting into the live cursor too. False once a field does not fit.
bool ReadSystemState(SaveBuffer& save, MainInterpreter& mainInterpreter);

}  // namespace game
