// The movement and tile commands: movement during events, tile attributes, the tile set and
// the map's tiles with their autotile shapes.
#include "game/interpreter/tile_commands.h"

#include <algorithm>

#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"

namespace game {
namespace {

// The stored argument of the attribute command that restores every attribute.
constexpr std::int32_t kRestoreAttributes = -1000000;
constexpr std::int32_t kKindStep = 100000;
// Tile numbers up to this name the autotile slots; above, base tiles from 8 on.
constexpr std::int64_t kLastAutotileNumber = 7;
// Autotile kind 1 (the empty slot) with all four quarters full.
constexpr std::int32_t kFullAutotile = 104444;
constexpr int kFirstShapedKind = 2;

// By (vertical << 2 | horizontal << 1 | diagonal), 1 where the neighbour is of the same kind.
constexpr std::array<int, 8> kQuarterCodes{0, 0, 2, 2, 1, 1, 3, 4};

// Rows of three from the top left; the cell itself is 4.
enum Neighbour { kUpLeft, kUp, kUpRight, kLeft, kCell, kRight, kDownLeft, kDown, kDownRight };

std::int32_t* TileCell(MapData& map, std::size_t layer, std::int64_t x, std::int64_t y) {
    auto& tiles = map.tileLayers[layer];
    if (x < 0 || y < 0 || static_cast<std::size_t>(x) >= tiles.size())
        return nullptr;
    auto& column = tiles[static_cast<std::size_t>(x)];
    return static_cast<std::size_t>(y) < column.size() ? &column[static_cast<std::size_t>(y)]
                                                       : nullptr;
}

// Neighbours outside the map count as the same kind, so an autotile along the edge looks
// continued beyond it.
bool IsSameKind(MapData& map, std::size_t layer, std::int64_t x, std::int64_t y,
                std::int32_t kind) {
    const std::int32_t* cell = TileCell(map, layer, x, y);
    return cell == nullptr || *cell / kKindStep == kind;
}

void ReshapeAutotile(MapData& map, std::size_t layer, std::int64_t x, std::int64_t y) {
    std::int32_t* cell = TileCell(map, layer, x, y);
    if (cell == nullptr)
        return;
    const std::int32_t kind = *cell / kKindStep;
    if (kind < kFirstShapedKind)
        return;
    std::array<bool, 9> same{};
    for (int i = 0; i < 9; ++i)
        same[static_cast<std::size_t>(i)] =
            IsSameKind(map, layer, x + i % 3 - 1, y + i / 3 - 1, kind);
    *cell = kind * kKindStep + AutotileShapeCode(same);
}

}  // namespace

int QuarterShapeCode(bool vertical, bool horizontal, bool diagonal) {
    const int index = (vertical ? 4 : 0) | (horizontal ? 2 : 0) | (diagonal ? 1 : 0);
    return kQuarterCodes[static_cast<std::size_t>(index)];
}

int AutotileShapeCode(const std::array<bool, 9>& same) {
    return 1000 * QuarterShapeCode(same[kUp], same[kLeft], same[kUpLeft]) +
           100 * QuarterShapeCode(same[kUp], same[kRight], same[kUpRight]) +
           10 * QuarterShapeCode(same[kDown], same[kLeft], same[kDownLeft]) +
           QuarterShapeCode(same[kDown], same[kRight], same[kDownRight]);
}

std::uint8_t AllowMovementDuringEvents(EventInterpreter&) {
    TheMainInterpreter.MoveDuringEvents = 1;
    return 1;
}

std::uint8_t StopMovementDuringEvents(EventInterpreter&) {
    TheMainInterpreter.MoveDuringEvents = 0;
    return 1;
}

std::uint8_t SetTileAttribute(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    MapState& mapState = TheMapState;
    if (Arg(line, 1) == kRestoreAttributes) {
        mapState.attributes = mapState.initialAttributes;
        TheScreenState.tileAttributesChanged = 1;
        return 1;
    }
    const std::int32_t index = interpreter.ReadInterpreterValue(Arg(line, 1));
    if (index >= 0 && static_cast<std::size_t>(index) < mapState.attributes.size()) {
        mapState.attributes[static_cast<std::size_t>(index)] = Arg(line, 2);
        TheScreenState.tileAttributesChanged = 1;
    }
    return 1;
}

std::uint8_t ChangeTileSet(EventInterpreter& interpreter) {
    const std::int32_t number = interpreter.ReadInterpreterValue(Arg(interpreter.CurrentLine(), 1));
    if (number >= 0 && number < GetTileSetCount()) {
        TakeTileSet(TheMapState, number);
        TheScreenState.tileSetChanged = 1;
        // The view's draw passes follow the new set's attributes.
        TheScreenState.tileAttributesChanged = 1;
    }
    return 1;
}

std::uint8_t ChangeMapTiles(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    std::array<std::int64_t, 6> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = interpreter.ReadInterpreterValue(Arg(line, i + 1));
    const std::int64_t layer = values[0] - 1;
    const std::int64_t x = values[1];
    const std::int64_t y = values[2];
    std::int64_t w = values[3];
    std::int64_t h = values[4];
    const std::int64_t tile = values[5];
    const std::int64_t width = GetMapWidth();
    const std::int64_t height = GetMapHeight();
    MapState& mapState = TheMapState;
    if (layer < 0 || layer > 2 || tile < 0 ||
        tile >= static_cast<std::int64_t>(mapState.attributes.size()) || x < 0 || x >= width ||
        y < 0 || y >= height)
        return 1;
    w = std::min(w, width - x);
    h = std::min(h, height - y);
    MapData& map = mapState.mapData;
    const auto l = static_cast<std::size_t>(layer);
    const auto value =
        static_cast<std::int32_t>(tile <= kLastAutotileNumber ? tile * kKindStep + kFullAutotile
                                                              : tile - TileSet::kFirstBaseIndex);
    for (std::int64_t i = 0; i < w; ++i) {
        for (std::int64_t j = 0; j < h; ++j) {
            if (std::int32_t* cell = TileCell(map, l, x + i, y + j))
                *cell = value;
        }
    }
    // The filled rectangle's border and the ring around it; cells strictly inside have only
    // neighbours of their own kind.
    const std::int64_t right = std::min(x + w + 1, width);
    const std::int64_t bottom = std::min(y + h + 1, height);
    for (std::int64_t m = std::max<std::int64_t>(x - 1, 0); m < right; ++m) {
        for (std::int64_t n = std::max<std::int64_t>(y - 1, 0); n < bottom; ++n) {
            if (x < m && m < x + w - 1 && y < n && n < y + h - 1)
                continue;
            ReshapeAutotile(map, l, m, n);
        }
    }
    return 1;
}

}  // namespace game
