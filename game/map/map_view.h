#pragma once

#include "game/map/character_sprite.h"
#include "game/map/draw_order.h"
#include "game/map/panorama_and_fog.h"
#include "game/map/tile_set_view.h"

namespace game {

// The drawing side of the map inside the map scene: the tile view, the panorama and fog,
// and the order in which the characters and the middle tile rows are drawn.
struct MapView {
    // Built for the global map state with BuildMapSprites.
    MapView();

    TileSetView tileView;
    PanoramaState panorama;
    FogState fog;
    DrawOrderBuckets drawOrder;
    CharacterSprites sprites;
};

// Rebuilds the sprites, the tile view and the panorama and fog states for the global map.
void BuildMapSprites(MapView& mapView);
// The tile view's classes again from the map's current attributes.
void ClassifyTileAttributes(MapView& mapView);
// Draws the global map: panorama, tile pass 0, the characters with the rows of pass 1 between
// them, pass 2 and the fog, with the screen tone and the picture layers below the map.
void DrawMap(MapView& mapView);
// One frame of the panorama's and the fog's scrolling.
void ScrollPanoramaAndFog(MapView& mapView);

}  // namespace game
