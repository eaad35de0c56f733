#pragma once

#include <array>
#include <vector>

namespace game {

// Draw items: 0 and above an event sprite, kHeroItem the hero, kHeroItem - 1 - n party
// member n, kTileRowBase and below a row of tile pass 1, kEndItem the end of the walk.
inline constexpr int kEndItem = -1;
inline constexpr int kHeroItem = -10;
inline constexpr int kLastPartyItem = -19;
inline constexpr int kTileRowBase = -20;

// The tile row of a pass-1 draw item.
constexpr int TileRowOfItem(int item) {
    return -item - 1000;
}

// A character to be sorted this frame: where its feet stand on the screen and how tall its
// sprite cell is.
struct DrawOrderEntry {
    enum class Kind { kPassThroughEvent, kEvent, kOnTopEvent, kHero, kPartyMember };
    Kind kind;
    int item;
    int footScreenY;
    int cellHeight;
};

// Where in an 8-pixel row of list 1 the pass-1 tile rows are emitted for a view pixel y:
// the rows come at row mod (T / 8) == u, shifted by t pixels.
struct PassOnePhase {
    int t;
    int u;
};
PassOnePhase FindPassOnePhase(int viewPixelY, int tileSize);

// Sorts the characters of a frame into rows of 8 screen pixels, in three lists drawn one
// after the other (pass-through events; ordinary events, the hero and the party; events on
// top), and walks them from the top of the screen, emitting the rows of tile pass 1 between
// the characters of list 1.
class DrawOrderBuckets {
  public:
    void BuildDrawOrderBuckets(const std::vector<DrawOrderEntry>& entries, int mapHeight,
                               int tileSize);
    // The next item of the walk; kEndItem once every list is done.
    int NextDrawItem(int viewPixelY);

    // Set when the last item was a row of tile pass 1: far above a looping map such a row's
    // value rises into the range of the other items.
    bool lastItemIsTileRow = false;

    std::array<std::vector<std::vector<int>>, 3> rowLists;
    int rowCursor = 0;
    int itemCursor = 0;
    int rowCount = 0;
    int currentList = 0;
    int tileSize = 32;
};

}  // namespace game
