#include "game/map/tile_queries.h"

#include <algorithm>
#include <array>

#include "game/core/game_info.h"
#include "game/map/map_state.h"
#include "game/map/tile_set.h"

namespace game {
namespace {

constexpr int kLayers = 3;

// Remainders keep the dividend's sign: a negative odd half tile is neither even nor odd.
bool IsEven(int v) {
    return v % 2 == 0;
}
bool IsOdd(int v) {
    return v % 2 == 1;
}

bool StepsWholeTiles() {
    const auto& flags = TheGameInfo.gameFlags;
    return flags.size() > 8 && flags[8] == 1;
}

int Wrap(int v, int size) {
    const std::int64_t span = 2 * std::int64_t{size};
    return static_cast<int>(((v % span) + span) % span);
}

// The quarter bit of half-tile (c, r): upper left 0x08, upper right 0x04, lower left 0x02,
// lower right 0x01; none for a negative odd coordinate.
std::int32_t QuarterBit(int c, int r) {
    if (IsEven(r))
        return IsEven(c) ? 0x08 : IsOdd(c) ? 0x04 : 0;
    if (IsOdd(r))
        return IsEven(c) ? 0x02 : IsOdd(c) ? 0x01 : 0;
    return 0;
}

// The highest layer from `layer` down whose tile at (c, r) is not the empty one; layer 0
// is taken whatever it holds.
int SkipEmptyLayers(const MapState& mapState, int c, int r, int layer) {
    while (layer > 0 && GetTileIndexAt(mapState, c, r, layer) == 0)
        --layer;
    return layer;
}

bool BlocksInDirectionMode(std::int32_t a, bool leftColumn, int x, int y, int direction) {
    if ((a & kBlockAll) == kBlockAll)
        return true;
    if (direction == 6 && leftColumn && (a & kBlockRight) && IsOdd(x))
        return true;
    if (direction == 4 && !leftColumn && (a & kBlockLeft) && IsOdd(x))
        return true;
    if (StepsWholeTiles()) {
        return (direction == 2 && (a & kBlockDown)) || (direction == 8 && (a & kBlockUp)) ||
               (direction == 4 && (a & kBlockLeft)) || (direction == 6 && (a & kBlockRight));
    }
    return (direction == 6 && leftColumn && (a & kBlockRight) && IsEven(x)) ||
           (direction == 4 && leftColumn && (a & kBlockLeft) && IsEven(x)) ||
           (direction == 2 && (a & kBlockDown) && IsEven(y)) ||
           (direction == 8 && (a & kBlockUp) && IsOdd(y));
}

bool ColumnBlocks(const MapState& mapState, int c, int x, int y, int direction, int stepSize) {
    const int r = y + 1;
    for (int layer = kLayers - 1; layer >= 0; --layer) {
        layer = SkipEmptyLayers(mapState, c, r, layer);
        const int index = GetTileIndexAt(mapState, c, r, layer);
        if (index == -1)
            return true;
        const std::int32_t a = TileAttributeOf(mapState, index);
        if (a & kQuarterMode) {
            const std::int32_t blocking = stepSize == 2 ? kBlockAll : QuarterBit(c, r);
            if (a & blocking)
                return true;
        } else if (BlocksInDirectionMode(a, c == x, x, y, direction)) {
            return true;
        }
        if (!(a & (kAboveCharacters | kInterleaved)))
            return false;
    }
    return false;
}

}  // namespace

int GetTileIndexAt(const MapState& mapState, int x, int y, int layer) {
    const MapData& map = mapState.mapData;
    const int width = map.header.width;
    const int height = map.header.height;
    if (width <= 0 || height <= 0 || layer < 0 || layer >= kLayers)
        return -1;
    const auto column = static_cast<std::size_t>(Wrap(x, width) / 2);
    const auto row = static_cast<std::size_t>(Wrap(y, height) / 2);
    const auto& tiles = map.tileLayers[static_cast<std::size_t>(layer)];
    if (column >= tiles.size() || row >= tiles[column].size())
        return -1;
    const std::int32_t v = tiles[column][row];
    if (v < 0)
        return -1;
    return v >= MapData::kEmptyTile ? v / MapData::kEmptyTile - 1 : v + TileSet::kFirstBaseIndex;
}

std::uint8_t TileTagOf(const MapState& mapState, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < mapState.tags.size()
               ? mapState.tags[static_cast<std::size_t>(index)]
               : 0;
}

std::int32_t TileAttributeOf(const MapState& mapState, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < mapState.attributes.size()
               ? mapState.attributes[static_cast<std::size_t>(index)]
               : 0;
}

bool IsInsideMap(const MapState& mapState, int x, int y) {
    const std::int64_t width = mapState.mapData.header.width;
    const std::int64_t height = mapState.mapData.header.height;
    return (mapState.loopsHorizontally || (x >= 0 && x < 2 * width - 1)) &&
           (mapState.loopsVertically || (y >= 0 && y < 2 * height));
}

std::uint8_t GetTileTagAt(const MapState& mapState, int x, int y) {
    if (mapState.mapNumber == -1)
        return 0;
    for (int layer = kLayers - 1; layer >= 0; --layer) {
        const std::uint8_t left = TileTagOf(mapState, GetTileIndexAt(mapState, x, y + 1, layer));
        const std::uint8_t right =
            TileTagOf(mapState, GetTileIndexAt(mapState, x + 1, y + 1, layer));
        if (left != 0 || right != 0)
            return std::max(left, right);
    }
    return 0;
}

bool CanPassTile(const MapState& mapState, int x, int y, int direction, int stepSize) {
    if (!IsInsideMap(mapState, x, y + 1))
        return false;
    return !ColumnBlocks(mapState, x, x, y, direction, stepSize) &&
           !ColumnBlocks(mapState, x + 1, x, y, direction, stepSize);
}

bool IsQuarterFree(const MapState& mapState, int x, int y) {
    if (!IsInsideMap(mapState, x, y))
        return false;
    for (int layer = kLayers - 1; layer >= 0; --layer) {
        layer = SkipEmptyLayers(mapState, x, y, layer);
        const int index = GetTileIndexAt(mapState, x, y, layer);
        if (index == -1)
            return false;
        const std::int32_t a = TileAttributeOf(mapState, index);
        if ((a & kQuarterMode) && (a & QuarterBit(x, y)))
            return false;
    }
    return true;
}

bool HasCounterAt(const MapState& mapState, int x, int y) {
    if (mapState.mapNumber == -1)
        return false;
    auto is_counter = [&](int index) { return (TileAttributeOf(mapState, index) & kCounter) != 0; };
    for (int layer = kLayers - 1; layer >= 0; --layer) {
        if (StepsWholeTiles()) {
            const int index = GetTileIndexAt(mapState, x, y, layer);
            if (index != -1 && is_counter(index))
                return true;
            continue;
        }
        const std::array<std::array<int, 2>, 6> around{
            {{x, y}, {x - 1, y}, {x + 1, y}, {x, y + 1}, {x - 1, y + 1}, {x + 1, y + 1}}};
        std::array<int, 6> indices{};
        for (std::size_t i = 0; i < around.size(); ++i)
            indices[i] = GetTileIndexAt(mapState, around[i][0], around[i][1], layer);
        if (std::find(indices.begin(), indices.end(), -1) != indices.end())
            continue;
        if (std::any_of(indices.begin(), indices.end(), is_counter))
            return true;
    }
    return false;
}

}  // namespace game
