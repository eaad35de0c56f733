#pragma once

#include <array>
#include <cstdint>

namespace game {

class EventInterpreter;

// Whether the characters' automatic movement goes on while the main interpreter runs an
// event.
std::uint8_t AllowMovementDuringEvents(EventInterpreter& interpreter);
std::uint8_t StopMovementDuringEvents(EventInterpreter& interpreter);
// One tile attribute of the current tile set, or all of them back as the last change of
// tile set left them.
std::uint8_t SetTileAttribute(EventInterpreter& interpreter);
// Another tile set of the list becomes the current one.
std::uint8_t ChangeTileSet(EventInterpreter& interpreter);
// Fills a rectangle of one layer with a tile and reshapes the autotiles around it.
std::uint8_t ChangeMapTiles(EventInterpreter& interpreter);

// The shape of one autotile quarter from whether its vertical, horizontal and diagonal
// neighbours are of the same kind: 0 to 4.
int QuarterShapeCode(bool vertical, bool horizontal, bool diagonal);

// The four quarter shapes (upper left, upper right, lower left, lower right) as decimal
// digits, from the sameness of the 3 x 3 block around a cell, in rows from the top left.
int AutotileShapeCode(const std::array<bool, 9>& same);

}  // namespace game
