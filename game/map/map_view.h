#pragma once

namespace game {

// The map as the map scene shows it: the character sprites, the tile-set view and the view's
// scroll position in pixels.
struct MapView {
    int scrollX = 0;
    int scrollY = 0;
};

}  // namespace game
