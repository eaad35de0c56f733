#include "game/map/map_size.h"

#include <gtest/gtest.h>

#include <limits>

namespace game {
namespace {

TEST(MapSize, EachSideAndTheTilesBehindItAreBounded) {
    constexpr std::uint64_t kAny = std::numeric_limits<std::uint64_t>::max();
    struct Case {
        std::int32_t width;
        std::int32_t height;
        std::uint64_t bytesLeft;
        bool fits;
    } const cases[] = {
        {1, 1, 12, true},
        {1, 1, 11, false},
        {20, 15, 3600, true},
        {20, 15, 3599, false},
        {kMaxMapSide, 1, std::uint64_t{12} * kMaxMapSide, true},
        {kMaxMapSide, kMaxMapSide, kAny, true},
        {kMaxMapSide + 1, 1, kAny, false},
        {1, kMaxMapSide + 1, kAny, false},
        {0x7FFFFFFF, 0, kAny, false},
        {0x01000000, 0, kAny, false},
        {0, 0, kAny, false},
        {-1, 15, kAny, false},
        {20, std::numeric_limits<std::int32_t>::min(), kAny, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredMapSizeFits(c.width, c.height, c.bytesLeft), c.fits)
            << c.width << " x " << c.height << " with " << c.bytesLeft << " bytes";
    }
}

}  // namespace
}  // namespace game
