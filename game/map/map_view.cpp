#include "game/map/map_view.h"

#include <array>

#include "game/core/display_scale.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_character_seams.h"
#include "game/map/map_state.h"
#include "game/map/screen_tone.h"
#include "game/presentation/picture_list.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// Picture layers below the map: -2 under the tiles, -1 between pass 0 and the characters.
constexpr int kPicturesBelowTiles = -2;
constexpr int kPicturesOverTiles = -1;

void Modulate() {
    ApplyScreenTone(TheMainInterpreter, false, false);
}

void DrawCharactersAndMiddleRows(MapView& mapView) {
    MapState& mapState = TheMapState;
    mapView.drawOrder.BuildDrawOrderBuckets(CollectDrawOrderEntries(mapView), GetMapHeight(),
                                            TileSize);
    std::array<int, 3> bright{255, 255, 255};
    ApplyScreenTone(TheMainInterpreter, false, false, &bright);
    for (;;) {
        layer::ChangeBrightRgb(bright[0], bright[1], bright[2]);
        const int item = mapView.drawOrder.NextDrawItem(mapView.tileView.viewPixelY);
        // Tile rows first: far above a looping map their values reach the other items.
        if (mapView.drawOrder.lastItemIsTileRow)
            DrawTileLayer(mapView.tileView, mapState, 1, TileRowOfItem(item));
        else if (item == kEndItem)
            return;
        else if (item >= 0 || (item <= kHeroItem && item >= kLastPartyItem))
            DrawSpriteItem(mapView, item);
    }
}

}  // namespace

MapView::MapView() {
    BuildMapSprites(*this);
}

void BuildMapSprites(MapView& mapView) {
    BuildCharacterSprites(mapView);
    mapView.tileView = TileSetView(TheMapState);
    mapView.panorama = ResetPanorama();
    mapView.fog = ResetFog();
}

void ClassifyTileAttributes(MapView& mapView) {
    ClassifyTileAttributes(mapView.tileView, TheMapState);
}

void DrawMap(MapView& mapView) {
    MapState& mapState = TheMapState;
    Modulate();
    DrawPanorama(mapView.panorama, mapState);
    DrawPictureLayer(ThePictureList, kPicturesBelowTiles);
    Modulate();
    DrawTileLayer(mapView.tileView, mapState, 0);
    // The game's picture sampling setting, which nothing changes from 0.
    layer::SetDrawSampling(0);
    DrawPictureLayer(ThePictureList, kPicturesOverTiles);
    Modulate();
    DrawCharactersAndMiddleRows(mapView);
    DrawTileLayer(mapView.tileView, mapState, 2);
    DrawFog(mapView.fog, mapState);
}

void ScrollPanoramaAndFog(MapView& mapView) {
    ScrollPanorama(mapView.panorama, TheMapState);
    ScrollFog(mapView.fog, TheMapState);
}

}  // namespace game
