#include "game/map/tile_set_view.h"

#include "game/map/map_state.h"
#include "game/map/tile_set.h"

namespace game {

TileSetView::TileSetView(const MapState& mapState) {
    ClassifyTileAttributes(*this, mapState);
}

int DrawClassOf(std::int32_t attribute) {
    if ((attribute & kInterleaved) != 0)
        return 1;
    return (attribute & kAboveCharacters) != 0 ? 2 : 0;
}

void ClassifyTileAttributes(TileSetView& view, const MapState& mapState) {
    // A change of tile set can bring a longer or shorter attribute list.
    view.drawClasses.resize(mapState.attributes.size());
    for (std::size_t i = 0; i < view.drawClasses.size(); ++i)
        view.drawClasses[i] = static_cast<std::uint8_t>(DrawClassOf(mapState.attributes[i]));
}

std::array<int, 4> AutotileQuarterEntries(std::int32_t value, int frameCount, int frame) {
    const int d1 = value / 1000 % 10;
    const int d2 = value / 100 % 10;
    const int d3 = value / 10 % 10;
    const int d4 = value % 10;
    const int column = 2 * frame;
    const int f = frameCount;
    return {1 + column + 4 * f * d1, 2 + column + 4 * f * d2, 1 + column + 2 * f * (2 * d3 + 1),
            2 + column + 2 * f * (2 * d4 + 1)};
}

}  // namespace game
