#include "game/map/pending_map_calls.h"

#include "game/core/screen_state.h"
#include "game/map/map_state.h"

namespace game {

void ApplyPendingTransfer(MapScene&) {
    MapState& mapState = TheMapState;
    mapState.mapNumber = TheScreenState.transferMap;
    mapState.mapData = MapData();
    TheScreenState.TransferPending = 0;
}

void UpdateMap(MapState&) {}
void UpdateHero(Party&) {}
void ApplyCharacterSettings(Party&) {}
void BuildMapSprites(MapView&) {}
void ClassifyTileAttributes(MapView&) {}
void DrawMap(MapScene&) {}
void ScrollPanoramaAndFog(MapScene&) {}
void ApplyScreenTone(MainInterpreter&, int, int, int) {}
void DrawEventKeyInput(EventCharacter&) {}
void ReleaseAllGraphics() {}
void RestoreGraphics(int) {}

}  // namespace game
