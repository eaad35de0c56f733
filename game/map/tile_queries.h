#pragma once

#include <cstdint>

namespace game {

struct MapState;

// Questions about the tiles of the current map. Positions are in half tiles: column x lies
// in tile column x / 2, its left half when x is even; a character at (x, y) stands with its
// feet on row y + 1 across columns x and x + 1.

// The tile-set index of the tile under (x, y), the position wrapped onto the map whether it
// loops or not: base tile v gives 8 + v, autotile value 100000 k + d gives k - 1 (the empty
// tile 0). -1 for a negative tile value or a map without tiles.
int GetTileIndexAt(const MapState& mapState, int x, int y, int layer);

// The tag and the attribute word of a tile-set index; 0 outside the lists.
std::uint8_t TileTagOf(const MapState& mapState, int index);
std::int32_t TileAttributeOf(const MapState& mapState, int index);

// Inside unless an axis that does not loop leaves the map; across, a character's second
// column must fit as well.
bool IsInsideMap(const MapState& mapState, int x, int y);

// The larger tag under the two foot columns of a character at (x, y), from the highest
// layer with a tag; 0 while no map is loaded.
std::uint8_t GetTileTagAt(const MapState& mapState, int x, int y);

// Whether a character may stand at (x, y) leaving or entering in direction (2, 4, 6, 8; other
// values test only quarters and whole blocks), stepping stepSize half tiles (2 a whole
// tile).
bool CanPassTile(const MapState& mapState, int x, int y, int direction, int stepSize);

// Whether no tile in quarter mode blocks the quarter of (x, y).
bool IsQuarterFree(const MapState& mapState, int x, int y);

// Whether a counter tile stands at (x, y), or with half-tile steps around it, so that the
// hero reaches events across it.
bool HasCounterAt(const MapState& mapState, int x, int y);

}  // namespace game
