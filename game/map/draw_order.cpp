#include "game/map/draw_order.h"

#include <algorithm>

namespace game {
namespace {

// The lowest screen row, in rows of 8 pixels, at which a sprite of that cell height is
// still drawn.
int LowestDrawnRow(int cellHeight, int tileSize) {
    return (cellHeight / tileSize + 17) * (tileSize / 8);
}

}  // namespace

PassOnePhase FindPassOnePhase(int viewPixelY, int tileSize) {
    const int half = tileSize / 2;
    const int quarter = tileSize / 4;
    const bool large = tileSize == 32;
    if (viewPixelY >= 0) {
        const int v = viewPixelY % tileSize;
        if (v == 0)
            return large ? PassOnePhase{32, 2} : PassOnePhase{0, 0};
        if (v <= half)
            return {tileSize - v, 1};
        if (v <= 3 * tileSize / 4 || !large)
            return {tileSize - v, 0};
        return {64 - v, 2};
    }
    const int w = (-viewPixelY) % tileSize;
    if (w >= half)
        return {w, 1};
    if (!large)
        return {w, 0};
    return {w + 32, w < quarter ? 2 : 3};
}

void DrawOrderBuckets::BuildDrawOrderBuckets(const std::vector<DrawOrderEntry>& entries,
                                             int mapHeight, int size) {
    tileSize = size;
    rowCursor = 0;
    itemCursor = 0;
    currentList = 0;
    const int q = tileSize / 8;
    // Two spare tile rows let the walk reach the map's last row of pass 1; from 17 rows on
    // the screen ends first.
    rowCount = mapHeight * q + (mapHeight <= 16 ? 2 * q : 0);
    for (auto& rows : rowLists)
        rows.assign(static_cast<std::size_t>(std::max(rowCount, 0) + 1), {});
    if (rowCount <= 0)
        return;

    using Kind = DrawOrderEntry::Kind;
    auto place = [&](int list, int row, int item) {
        rowLists[static_cast<std::size_t>(list)][static_cast<std::size_t>(row + 1)].push_back(item);
    };
    // Events first, in list order; the hero and the party stay on screen rows of 0 and
    // below, and go one row down like events so that they follow the events of their row.
    for (int list = 0; list < 3; ++list) {
        for (const DrawOrderEntry& entry : entries) {
            const Kind event_kind = list == 0   ? Kind::kPassThroughEvent
                                    : list == 1 ? Kind::kEvent
                                                : Kind::kOnTopEvent;
            if (entry.kind != event_kind)
                continue;
            const int row = (entry.footScreenY / 8) % rowCount;
            const int lowest = list == 0 ? 17 * q : LowestDrawnRow(entry.cellHeight, tileSize);
            if (row >= -1 && row <= lowest)
                place(list, row, entry.item);
        }
    }
    for (const Kind kind : {Kind::kHero, Kind::kPartyMember}) {
        for (const DrawOrderEntry& entry : entries) {
            if (entry.kind != kind)
                continue;
            const int row = std::max(entry.footScreenY / 8, 0) % rowCount;
            if (kind == Kind::kHero || row <= LowestDrawnRow(entry.cellHeight, tileSize))
                place(1, row, entry.item);
        }
    }
}

int DrawOrderBuckets::NextDrawItem(int viewPixelY) {
    lastItemIsTileRow = false;
    if (rowCount <= 0)
        return kEndItem;
    const int q = tileSize / 8;
    const int last_row = std::min(rowCount, 44 * tileSize / 16);
    const int last_tile_row = std::min(rowCount, 34 * tileSize / 16);
    const PassOnePhase phase = FindPassOnePhase(viewPixelY, tileSize);
    for (;;) {
        if (rowCursor > last_row) {
            if (currentList == 2)
                return kEndItem;
            ++currentList;
            rowCursor = 0;
            itemCursor = 0;
        }
        const auto& row =
            rowLists[static_cast<std::size_t>(currentList)][static_cast<std::size_t>(rowCursor)];
        if (itemCursor < static_cast<int>(row.size()))
            return row[static_cast<std::size_t>(itemCursor++)];
        ++rowCursor;
        itemCursor = 0;
        if (rowCursor > last_tile_row)
            continue;
        if (currentList == 1 && rowCursor % q == phase.u) {
            lastItemIsTileRow = true;
            return -998 - rowCursor / q - (viewPixelY + phase.t) / tileSize;
        }
    }
}

}  // namespace game
