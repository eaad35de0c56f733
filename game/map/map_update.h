#pragma once

namespace game {

struct MapState;
struct MapView;

// One frame of the map: the page refresh when asked for, the view's motion, the event
// characters, the parallel common events and the frame counter.
void UpdateMap(MapState& mapState);

// Carries out the requested transfer on the global map: a different map is loaded (a map
// that cannot be read ends the scene loop), its sounds start and the view's images are
// built again; the hero is placed, the pages refreshed and the map updated once.
void ApplyPendingTransfer(MapView& mapView);

// Starts the music and the background sound of the current map's database row.
void StartMapSounds(const MapState& mapState);

}  // namespace game
