#pragma once

namespace game {

class SaveBuffer;
struct MapState;

// The current map's part of a save: map number, view, tiles, image names, attributes, the
// event characters and the reserved list, in the layout of the buffer's version (the newest
// for every save the game writes; older ones for test fixtures).
bool WriteMapState(SaveBuffer& save, const MapState& mapState);

// Reads the part in the layout of the save's version: tiles from version 105, attributes as
// single bytes up to version 99. With rebuild the map is loaded first, so that the rest lands
// on it. False once a field or a count does not fit in what is left (the save's
// read-past-end flag is then set) or when the part holds event characters.
bool ReadMapState(SaveBuffer& save, MapState& mapState, bool rebuild);

}  // namespace game
