#include "game/map/tile_set_view.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(TileSetView, AutotileQuartersComeFromTheirPatternRowsAndTheFrameColumns) {
    struct Case {
        std::int32_t value;
        int frames, frame;
        std::array<int, 4> entries;
    } const cases[] = {
        {300000 + 4321, 3, 0, {49, 38, 31, 20}},
        {200000, 3, 2, {5, 6, 11, 12}},
        {200000 + 9999, 1, 0, {37, 38, 39, 40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutotileQuarterEntries(c.value, c.frames, c.frame), c.entries) << c.value;
}

TEST(TileSetView, TheInterleavedBitWinsOverAboveCharacters) {
    struct Case {
        std::int32_t attribute;
        int drawClass;
    } const cases[] = {{0, 0}, {0x0F, 0}, {0x10, 2}, {0x100, 1}, {0x110, 1}, {0x40, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(DrawClassOf(c.attribute), c.drawClass) << c.attribute;
}

}  // namespace
}  // namespace game
