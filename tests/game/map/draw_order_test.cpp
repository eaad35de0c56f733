#include "game/map/draw_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace game {
namespace {

using Kind = DrawOrderEntry::Kind;

std::vector<int> Walk(DrawOrderBuckets& buckets, int viewPixelY) {
    std::vector<int> items;
    for (int item = buckets.NextDrawItem(viewPixelY); item != kEndItem;
         item = buckets.NextDrawItem(viewPixelY))
        items.push_back(item);
    return items;
}

TEST(DrawOrder, RowCountFollowsTheMapHeight) {
    struct Case {
        int height, tileSize, rows;
    } const cases[] = {{15, 32, 68}, {20, 32, 80}, {15, 16, 34},
                       {1, 32, 12},  {16, 32, 72}, {17, 32, 68}};
    for (const Case& c : cases) {
        DrawOrderBuckets buckets;
        buckets.BuildDrawOrderBuckets({}, c.height, c.tileSize);
        EXPECT_EQ(buckets.rowCount, c.rows);
        EXPECT_EQ(buckets.rowLists[1].size(), static_cast<std::size_t>(c.rows + 1));
    }
}

TEST(DrawOrder, CharactersAboveTheScreenTopTakeTheLeadingRowOrAreDropped) {
    DrawOrderBuckets buckets;
    buckets.BuildDrawOrderBuckets({{Kind::kEvent, 0, -10, 32},
                                   {Kind::kEvent, 1, -16, 32},
                                   {Kind::kHero, kHeroItem, -16, 32},
                                   {Kind::kPartyMember, kHeroItem - 1, -40, 32}},
                                  20, 32);
    EXPECT_EQ(buckets.rowLists[1][0], std::vector<int>{0});
    EXPECT_EQ(buckets.rowLists[1][1], (std::vector<int>{kHeroItem, kHeroItem - 1}));
    for (const auto& row : buckets.rowLists[1]) {
        for (int item : row)
            EXPECT_NE(item, 1);
    }
}

TEST(DrawOrder, ARowDrawsItsEventsThenTheHeroThenTheParty) {
    DrawOrderBuckets buckets;
    buckets.BuildDrawOrderBuckets({{Kind::kPartyMember, kHeroItem - 1, 100, 32},
                                   {Kind::kHero, kHeroItem, 100, 32},
                                   {Kind::kEvent, 4, 100, 32},
                                   {Kind::kEvent, 2, 103, 32},
                                   {Kind::kOnTopEvent, 7, 0, 32},
                                   {Kind::kPassThroughEvent, 9, 300, 32}},
                                  20, 32);
    const std::vector<int> items = Walk(buckets, 0);
    std::vector<int> characters;
    for (int item : items) {
        if (item > kTileRowBase)
            characters.push_back(item);
    }
    EXPECT_EQ(characters, (std::vector<int>{9, 4, 2, kHeroItem, kHeroItem - 1, 7}));
}

TEST(DrawOrder, PassOneRowsComeAtTheirSubRow) {
    // With T = 32 and view y 0, tile row k comes at 8-pixel row 4 (k + 1) + 2 of list 1.
    DrawOrderBuckets buckets;
    buckets.BuildDrawOrderBuckets({}, 20, 32);
    std::vector<int> rows_at;
    for (int item = buckets.NextDrawItem(0); item != kEndItem; item = buckets.NextDrawItem(0)) {
        ASSERT_LE(item, kTileRowBase);
        EXPECT_EQ(buckets.currentList, 1);
        EXPECT_EQ(buckets.rowCursor, 4 * (TileRowOfItem(item) + 1) + 2);
        rows_at.push_back(TileRowOfItem(item));
    }
    ASSERT_FALSE(rows_at.empty());
    EXPECT_EQ(rows_at.front(), -1);  // at row 2; row 0 never emits one
    EXPECT_EQ(rows_at.back(), 15);   // at row 66, the last before 34 x 32 / 16 = 68
}

TEST(DrawOrder, PhaseTable) {
    struct Case {
        int viewPixelY, tileSize, t, u;
    } const cases[] = {
        {0, 32, 32, 2},  {64, 32, 32, 2},  {5, 32, 27, 1},   {16, 32, 16, 1},  {17, 32, 15, 0},
        {24, 32, 8, 0},  {25, 32, 39, 2},  {-20, 32, 20, 1}, {-16, 32, 16, 1}, {-3, 32, 35, 2},
        {-8, 32, 40, 3}, {-15, 32, 47, 3}, {0, 16, 0, 0},    {5, 16, 11, 1},   {8, 16, 8, 1},
        {10, 16, 6, 0},  {13, 16, 3, 0},   {-9, 16, 9, 1},   {-3, 16, 3, 0},   {-5, 16, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.viewPixelY << " at " << c.tileSize);
        const PassOnePhase phase = FindPassOnePhase(c.viewPixelY, c.tileSize);
        EXPECT_EQ(phase.t, c.t);
        EXPECT_EQ(phase.u, c.u);
    }
}

TEST(DrawOrder, TheLastRowOfPassOneIsReachedOnMapsShorterThanTheScreen) {
    for (const int height : {1, 8, 14, 15, 16}) {
        for (const int viewPixelY : {0, -16, 20}) {
            DrawOrderBuckets buckets;
            buckets.BuildDrawOrderBuckets({}, height, 32);
            int lastRow = -100;
            for (int item = buckets.NextDrawItem(viewPixelY);
                 item != kEndItem || buckets.lastItemIsTileRow;
                 item = buckets.NextDrawItem(viewPixelY)) {
                if (buckets.lastItemIsTileRow)
                    lastRow = std::max(lastRow, TileRowOfItem(item));
            }
            const int lastVisibleRow = std::min(height - 1, (viewPixelY + 479) / 32);
            EXPECT_GE(lastRow, lastVisibleRow) << height << " at " << viewPixelY;
        }
    }
}

TEST(DrawOrder, FarAboveALoopingMapATileRowIsMarkedAsOne) {
    DrawOrderBuckets buckets;
    buckets.BuildDrawOrderBuckets({}, 20, 32);
    bool sawTileRowInEventRange = false;
    for (int item = buckets.NextDrawItem(-40000); item != kEndItem || buckets.lastItemIsTileRow;
         item = buckets.NextDrawItem(-40000)) {
        if (buckets.lastItemIsTileRow && item >= 0)
            sawTileRowInEventRange = true;
    }
    EXPECT_TRUE(sawTileRowInEventRange);
}

}  // namespace
}  // namespace game
