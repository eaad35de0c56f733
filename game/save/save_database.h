#pragma once

namespace game {

class DataBase;
class SaveBuffer;

// The changeable database's part of a save: a marker byte, then every type with layout code
// -2, its name source, content codes and records (numbers, then texts). Writing marks the
// types of the database written (a slot's copy) with layout code -2.
bool WriteSaveDataBase(SaveBuffer& save, DataBase& database);

// Reads the types back, takes the descriptions from the game's current definition file and
// widens each saved type that the definition has since given more contents. False once a
// field does not fit; a missing definition file ends the program as at start-up.
bool ReadSaveDataBase(SaveBuffer& save, DataBase& database);

}  // namespace game
