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

// Puts the demo's events on its start map: a sign and a clerk across the counter (confirm),
// a plate that its own self variable turns to a second page (touch), a touch-either-way
// event reaching 2 half tiles further, a wanderer, a patrol on a repeating route, an
// automatic event that names the sheets of party members 1 and 2 and switches itself off,
// a parallel page counting frames, a sign that calls the picture gallery (confirm), and the
// save stone.
void AddDemoEvents(game::MapData& map);

}  // namespace tools
