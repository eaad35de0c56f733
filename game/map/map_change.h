#pragma once

namespace game {

struct MapState;

// Back to no map: view, zoom, shakes, counters and the lists emptied, and the tile sets read
// again from "BasicData\TileSetData.dat".
void ResetMapState(MapState& mapState);

// Loads map `number` of the system database (type 0): its file, its tile set, the parallel
// common events when none run yet, the view back at the top left, its panorama and its loop
// flags. A map that cannot be read ends the scene loop, marks the
// map state's mapFileFailed and gives false.
bool ChangeMap(MapState& mapState, int number);

// Makes tile set `number` of the list the current one: its images, tags and attributes, and
// the attributes' initial copy.
void TakeTileSet(MapState& mapState, int number);

// The frame counter of the autotile animation, wrapping at 2,400,000.
void AdvanceFrameCounter(MapState& mapState);

}  // namespace game
