#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace game {

struct MapState;

// The drawing side of the tile layers: the images in use, looked up once per change of the
// map's image names, and the pass that draws each tile-set index.
struct TileSetView {
    static constexpr int kAutotileImages = 7;

    TileSetView() = default;
    // Draw classes sized to the map's attribute list and classified from it.
    explicit TileSetView(const MapState& mapState);

    std::string baseImageName;
    std::array<std::string, kAutotileImages> autotileImageNames;
    int baseImageIndex = -1;
    std::array<int, kAutotileImages> autotileImageIndices{-1, -1, -1, -1, -1, -1, -1};
    // Animation frames of each autotile image: its width in tiles.
    std::array<int, kAutotileImages> autotileFrameCounts{};
    // Per tile-set index: 0 drawn before the characters, 1 by rows between them, 2 after.
    std::vector<std::uint8_t> drawClasses;
    std::array<std::uint8_t, kAutotileImages> autotileLoaded{};
    int animationStep = 0;
    // Top-left corner of the view in pixels for this frame.
    int viewPixelX = 0;
    int viewPixelY = 0;
};

// Recomputes the draw class of every tile-set index from the current attribute list, sized
// to it.
void ClassifyTileAttributes(TileSetView& view, const MapState& mapState);

// The pass that draws a tile of that attribute word: 1 interleaved, 2 above characters, 0.
int DrawClassOf(std::int32_t attribute);

// The handle-list entries of the four quarters (upper left, upper right, lower left, lower
// right) of autotile value 100000 k + d1 d2 d3 d4 at animation frame s of an image with F
// frames.
std::array<int, 4> AutotileQuarterEntries(std::int32_t value, int frameCount, int frame);

// Draws one pass: 0 and 2 every visible row, 1 the single map row `row`. Pass 0 first moves
// the view by the shake. A negative tile value is shown in a box and ends the program.
void DrawTileLayer(TileSetView& view, const MapState& mapState, int pass, int row = 0);

// Puts a cell of size x size pixels at (x, y) of the unzoomed screen, scaled by the zoom
// factor and the map's zoom about its centre.
void PlaceMapCell(const MapState& mapState, int x, int y, int size, int graph);

}  // namespace game
