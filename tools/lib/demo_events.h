#pragma once

#include "game/map/map_data.h"

namespace tools {

// Variables the demo's map events set when they fire (V10 to V17), read by tests.
inline constexpr int kDemoSignVariable = 2000010;
inline constexpr int kDemoClerkVariable = 2000011;
inline constexpr int kDemoPlateVariable = 2000012;
inline constexpr int kDemoTouchVariable = 2000013;
inline constexpr int kDemoWandererVariable = 2000014;
inline constexpr int kDemoPatrolVariable = 2000015;
inline constexpr int kDemoAutomaticVariable = 2000016;
inline constexpr int kDemoParallelVariable = 2000017;

// The save stone: confirmed, it saves into or loads from slot 1, 2 or 3, each shown with its
// play time.
inline constexpr int kDemoSaveStoneX = 11;
inline constexpr int kDemoSaveStoneY = 5;

// V24 holds the key code of the key-wait event.
inline constexpr int kDemoKeyVariable = 2000024;

// Tiles of the start map's map-side events, which the hero stands on to confirm them: water
// filled into a 3 x 3 block and taken out again, a view shake, the party's graphics swapped
// and back, a key wait, a transfer by location row to the looping map, a move route that
// turns the hero about and a chime played by its file name.
struct DemoTile {
    int x, y;
};
inline constexpr DemoTile kDemoWaterEvent{9, 11};
inline constexpr DemoTile kDemoShakeEvent{11, 11};
inline constexpr DemoTile kDemoCostumeEvent{13, 11};
inline constexpr DemoTile kDemoKeyEvent{15, 11};
inline constexpr DemoTile kDemoTransferEvent{10, 12};
inline constexpr DemoTile kDemoRouteEvent{14, 12};
inline constexpr DemoTile kDemoChimeEvent{11, 13};
// The water block's top-left tile.
inline constexpr DemoTile kDemoWaterBlock{1, 10};
// On the looping map: a scroll away and back, and the way back to the start map.
inline constexpr DemoTile kDemoScrollEvent{4, 4};
inline constexpr DemoTile kDemoReturnEvent{1, 4};

// Puts the demo's events on its start map: a sign and a clerk across the counter (confirm),
// a plate that its own self variable turns to a second page (touch), a touch-either-way
// event reaching 2 half tiles further, a wanderer, a patrol on a repeating route, an
// automatic event that names the sheets of party members 1 and 2 and switches itself off,
// a parallel page counting frames, a sign that calls the picture gallery (confirm), and the
// save stone, and the map-side events above.
void AddDemoEvents(game::MapData& map);
// The looping map's events.
void AddDemoLoopEvents(game::MapData& map);

}  // namespace tools
