#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace game {

// The images a map is drawn from, with a tag byte and an attribute word per tile-set index:
// index 0 the empty tile, 1 to 7 the autotiles of images 1 to 7, 8 + v base tile v.
struct TileSet {
    static constexpr int kFirstBaseIndex = 8;

    std::string name;
    // [0] the base tile image, [1] to [7] the autotile images.
    std::array<std::string, 8> imageNames;
    std::vector<std::uint8_t> tags{0, 1, 2, 3, 4, 5, 6, 7};
    std::vector<std::int32_t> attributes = std::vector<std::int32_t>(8, 0);
};

// Attribute bits of a tile.
enum TileAttribute : std::int32_t {
    kBlockDown = 0x01,
    kBlockLeft = 0x02,
    kBlockRight = 0x04,
    kBlockUp = 0x08,
    kBlockAll = 0x0F,
    kAboveCharacters = 0x10,
    kQuarterMode = 0x20,
    kBush = 0x40,
    kCounter = 0x80,
    kInterleaved = 0x100,
};

// All tile sets of the game, from "BasicData\TileSetData.dat".
class TileSetList {
  public:
    static constexpr char kFileName[] = "BasicData\\TileSetData.dat";

    // Reads "Data\" + name. False for a missing file or an unknown version (the list keeps
    // what it held) and, after a message box, for a damaged file or a wrong end byte (the
    // sets read so far stay). A check sum that does not match ends the program.
    bool ReadTileSetFile(const std::string& name);
    bool ReadTileSetImage(std::vector<std::uint8_t> image);

    // The set at a map header's tile-set number; a default set, after a log line, for a
    // number outside the list.
    TileSet TileSetAt(std::int32_t number) const;

    std::vector<TileSet> sets{TileSet{}};
};

}  // namespace game
