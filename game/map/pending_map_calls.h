#pragma once

// Stand-ins for the map and character side until it arrives: the transfer marks an empty
// 20 x 15 map loaded, and the map, the hero and their drawing do nothing.

namespace game {

class MainInterpreter;
class MapScene;
struct EventCharacter;
struct MapState;
struct MapView;
struct Party;

// Carries out the pending transfer, and with no map loaded loads the transfer target.
void ApplyPendingTransfer(MapScene& mapScene);
// Scroll, shakes, every map event and every parallel common event.
void UpdateMap(MapState& mapState);
void UpdateHero(Party& party);
// Applies the game's character flags to the party.
void ApplyCharacterSettings(Party& party);
void BuildMapSprites(MapView& mapView);
void ClassifyTileAttributes(MapView& mapView);
void DrawMap(MapScene& mapScene);
void ScrollPanoramaAndFog(MapScene& mapScene);
// One pass of the screen tone in the draw sequence.
void ApplyScreenTone(MainInterpreter& mainInterpreter, int a, int b, int c);
void DrawEventKeyInput(EventCharacter& eventCharacter);
// Deletes every graph of the map image cache.
void ReleaseAllGraphics();
// The layer's graph-restore handler: reloads the game's images.
void RestoreGraphics(int);

}  // namespace game
