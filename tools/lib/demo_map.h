#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/map/map_data.h"
#include "game/map/tile_set.h"
#include "tools/lib/png_writer.h"

namespace tools {

// The demo's tile pictures at 32 pixels a tile, a colour per cell: the base image of 8 x 8
// tiles (cell 0 clear), an autotile image of 3 frames and 10 patterns in 16-pixel quarters,
// a 320 x 240 panorama and a 640 x 480 fog.
RgbaPicture DemoBasePicture();
RgbaPicture DemoAutotilePicture();
RgbaPicture DemoPanoramaPicture();
RgbaPicture DemoFogPicture();

// Base cells of the demo's tile set.
enum DemoCell : std::int32_t {
    kGrass = 1,
    kPath = 2,
    kWall = 3,
    kQuarterBlock = 4,
    kBush = 5,
    kCounter = 6,
    kFence = 7,
    kTrunk = 8,
    kTreeTop = 9,
};

// Image names of the demo's tiles, panorama and fog, relative to the data folder.
inline const std::string kDemoBaseImage = "MapChip\\base.png";
inline const std::string kDemoAutotileImage = "MapChip\\water.png";
inline const std::string kDemoPanoramaImage = "Picture\\sky.png";
inline const std::string kDemoFogImage = "Fog\\mist.png";

// The tile set with the demo's images and the attributes of its cells: walls, a quarter
// block, bush, counter, fences drawn between the characters and tree tops above them.
game::TileSet DemoTileSet();

// The autotile value of water at (x, y) of a pond mask, its quarters chosen by the open
// sides around each corner.
std::int32_t WaterTileAt(const std::vector<std::string>& mask, int x, int y);

// The start map (20 x 15): grass, a path, a wall, a pond, the special tiles and trees.
game::MapData DemoStartMap();
// A small looping map (10 x 8) with a pond across its seams.
game::MapData DemoLoopMap();

// A file of the demo's maps: its path below the game folder and its bytes.
struct DemoFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};
// A file under the data folder, named by its game path ("Picture\\Title.png").
DemoFile DemoDataFile(std::string gamePath, std::vector<std::uint8_t> bytes);
// The tile-set file, the two maps and the four pictures.
std::vector<DemoFile> DemoMapFiles();

}  // namespace tools
