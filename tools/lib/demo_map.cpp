#include "tools/lib/demo_map.h"

#include <algorithm>
#include <array>

#include "game/map/map_event_lookup.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/tile_set_writer.h"

namespace tools {
namespace {

constexpr int kTile = 32;
constexpr int kBaseCells = 64;
constexpr int kAutotileFrames = 3;
constexpr int kAutotilePatterns = 10;
constexpr std::int32_t kWaterTile = 200000;

struct Rgba {
    std::uint8_t r, g, b, a;
};

// A picture of cells, each filled by its colour with a darker one-pixel frame.
template <typename ColourOf>
RgbaPicture CellPicture(int width, int height, int cellWidth, int cellHeight, ColourOf colourOf) {
    RgbaPicture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba colour = colourOf(x / cellWidth, y / cellHeight);
            const bool frame = x % cellWidth == 0 || y % cellHeight == 0;
            const int shade = frame ? 3 : 4;
            picture.pixels.insert(picture.pixels.end(),
                                  {static_cast<std::uint8_t>(colour.r * shade / 4),
                                   static_cast<std::uint8_t>(colour.g * shade / 4),
                                   static_cast<std::uint8_t>(colour.b * shade / 4), colour.a});
        }
    }
    return picture;
}

constexpr std::array<Rgba, 10> kNamedCells = {{{0, 0, 0, 0},
                                               {70, 150, 60, 255},
                                               {180, 150, 100, 255},
                                               {110, 110, 125, 255},
                                               {160, 90, 60, 255},
                                               {40, 110, 50, 255},
                                               {150, 95, 45, 255},
                                               {210, 190, 130, 255},
                                               {105, 70, 40, 255},
                                               {30, 95, 35, 255}}};

// Layer values.
using Layer = std::vector<std::vector<std::int32_t>>;

void Fill(Layer& layer, int x0, int y0, int x1, int y1, std::int32_t value) {
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y)
            layer[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = value;
    }
}

game::MapData EmptyMap(int width, int height) {
    game::MapData map;
    map.header.width = width;
    map.header.height = height;
    map.header.tileSetNumber = 1;
    game::ResetMapLayers(map, true, width, height);
    return map;
}

bool IsWater(const std::vector<std::string>& mask, int x, int y) {
    const int height = static_cast<int>(mask.size());
    const int width = static_cast<int>(mask[0].size());
    x = (x % width + width) % width;
    y = (y % height + height) % height;
    return mask[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '~';
}

void PutWater(Layer& layer, const std::vector<std::string>& mask) {
    for (std::size_t y = 0; y < mask.size(); ++y) {
        for (std::size_t x = 0; x < mask[y].size(); ++x) {
            if (mask[y][x] == '~')
                layer[x][y] = WaterTileAt(mask, static_cast<int>(x), static_cast<int>(y));
        }
    }
}

}  // namespace

RgbaPicture DemoBasePicture() {
    return CellPicture(8 * kTile, 8 * kTile, kTile, kTile, [](int cx, int cy) {
        const int cell = cy * 8 + cx;
        if (cell < static_cast<int>(kNamedCells.size()))
            return kNamedCells[static_cast<std::size_t>(cell)];
        return Rgba{static_cast<std::uint8_t>(40 + cell * 53 % 200),
                    static_cast<std::uint8_t>(40 + cell * 97 % 200),
                    static_cast<std::uint8_t>(40 + cell * 151 % 200), 255};
    });
}

RgbaPicture DemoAutotilePicture() {
    const int quarter = kTile / 2;
    return CellPicture(2 * kAutotileFrames * quarter, 2 * kAutotilePatterns * quarter, quarter,
                       quarter, [](int column, int row) {
                           const int frame = column / 2;
                           const int pattern = row / 2;
                           return Rgba{static_cast<std::uint8_t>(20 + 8 * pattern),
                                       static_cast<std::uint8_t>(70 + 14 * pattern + 20 * frame),
                                       static_cast<std::uint8_t>(150 + 35 * frame), 255};
                       });
}

RgbaPicture DemoPanoramaPicture() {
    return CellPicture(320, 240, kTile, kTile, [](int cx, int cy) {
        return Rgba{static_cast<std::uint8_t>(60 + 12 * cy),
                    static_cast<std::uint8_t>(90 + 10 * cy),
                    static_cast<std::uint8_t>(230 - 9 * cx), 255};
    });
}

RgbaPicture DemoFogPicture() {
    return CellPicture(640, 480, kTile, kTile, [](int cx, int cy) {
        const auto level = static_cast<std::uint8_t>(90 + (cx + 2 * cy) % 5 * 35);
        return Rgba{level, level, static_cast<std::uint8_t>(level / 2 + 100), 255};
    });
}

game::TileSet DemoTileSet() {
    game::TileSet set = MakeTileSet(kBaseCells);
    set.name = "demo";
    set.imageNames[0] = kDemoBaseImage;
    set.imageNames[1] = kDemoAutotileImage;
    constexpr auto base = game::TileSet::kFirstBaseIndex;
    const std::pair<std::int32_t, std::int32_t> attributes[] = {
        {kWall, game::kBlockAll},
        {kQuarterBlock, game::kQuarterMode | game::kBlockDown},
        {kBush, game::kBush},
        {kCounter, game::kCounter | game::kBlockAll},
        {kFence, game::kInterleaved | game::kBlockAll},
        {kTrunk, game::kBlockAll},
        {kTreeTop, game::kAboveCharacters}};
    for (const auto& [cell, attribute] : attributes)
        set.attributes[static_cast<std::size_t>(base + cell)] = attribute;
    // Autotile image 0 is index 1.
    set.attributes[1] = game::kBlockAll;
    return set;
}

std::int32_t WaterTileAt(const std::vector<std::string>& mask, int x, int y) {
    // Per quarter: 0 water all around, 1 open side above or below, 2 open to the side,
    // 3 open both ways, 4 only the diagonal open.
    auto pattern = [&](int dx, int dy) {
        const bool vertical = !IsWater(mask, x, y + dy);
        const bool horizontal = !IsWater(mask, x + dx, y);
        if (vertical && horizontal)
            return 3;
        if (vertical)
            return 1;
        if (horizontal)
            return 2;
        return IsWater(mask, x + dx, y + dy) ? 0 : 4;
    };
    return kWaterTile + pattern(-1, -1) * 1000 + pattern(1, -1) * 100 + pattern(-1, 1) * 10 +
           pattern(1, 1);
}

game::MapData DemoStartMap() {
    game::MapData map = EmptyMap(20, 15);
    map.header.name = "start";
    auto& [ground, middle, top] = map.tileLayers;
    Fill(ground, 0, 0, 19, 14, kGrass);
    Fill(ground, 0, 8, 19, 8, kPath);
    Fill(ground, 10, 0, 10, 14, kPath);
    Fill(middle, 0, 0, 19, 0, kWall);
    Fill(middle, 0, 0, 0, 14, kWall);
    Fill(middle, 19, 0, 19, 14, kWall);
    const std::vector<std::string> pond = {
        "....................", "....................", "..~~~~~.............",
        "..~~~~~~............", "..~~~~~~............", "...~~~~.............",
        "....................", "....................", "....................",
        "....................", "....................", "....................",
        "....................", "....................", "...................."};
    PutWater(ground, pond);
    Fill(middle, 14, 3, 15, 3, kQuarterBlock);
    Fill(middle, 6, 11, 8, 12, kBush);
    Fill(middle, 13, 10, 16, 10, kCounter);
    Fill(middle, 2, 13, 8, 13, kFence);
    for (const auto& [x, y] : {std::pair{16, 5}, std::pair{12, 4}, std::pair{4, 10}}) {
        middle[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = kTrunk;
        top[static_cast<std::size_t>(x)][static_cast<std::size_t>(y - 1)] = kTreeTop;
    }
    return map;
}

game::MapData DemoLoopMap() {
    game::MapData map = EmptyMap(10, 8);
    map.header.name = "loop";
    auto& [ground, middle, top] = map.tileLayers;
    Fill(ground, 0, 0, 9, 7, kGrass);
    Fill(ground, 0, 4, 9, 4, kPath);
    const std::vector<std::string> pond = {"~~......~~", "~.......~~", "..........", "..........",
                                           "..........", "..........", "..........", "~~.......~"};
    PutWater(ground, pond);
    Fill(middle, 4, 6, 6, 6, kFence);
    middle[7][2] = kTrunk;
    top[7][1] = kTreeTop;
    return map;
}

namespace {

game::MapData StartMapWithEvents() {
    game::MapData map = DemoStartMap();
    AddDemoEvents(map);
    return map;
}

game::MapData LoopMapWithEvents() {
    game::MapData map = DemoLoopMap();
    AddDemoLoopEvents(map);
    return map;
}

}  // namespace

DemoFile DemoDataFile(std::string gamePath, std::vector<std::uint8_t> bytes) {
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return {"Data/" + gamePath, std::move(bytes)};
}

std::vector<DemoFile> DemoMapFiles() {
    const auto png = [](const RgbaPicture& picture) { return EncodePng(picture); };
    return {{"Data/BasicData/TileSetData.dat",
             WriteTileSetData({game::TileSet{}, DemoTileSet()}, 0xD0, game::ScrambleSeeds{})},
            {"Data/MapData/Start.mps", StartMapWithEvents().BuildMapImage(game::ScrambleSeeds{})},
            {"Data/MapData/Loop.mps", LoopMapWithEvents().BuildMapImage(game::ScrambleSeeds{})},
            DemoDataFile(kDemoBaseImage, png(DemoBasePicture())),
            DemoDataFile(kDemoAutotileImage, png(DemoAutotilePicture())),
            DemoDataFile(kDemoPanoramaImage, png(DemoPanoramaPicture())),
            DemoDataFile(kDemoFogImage, png(DemoFogPicture()))};
}

}  // namespace tools
