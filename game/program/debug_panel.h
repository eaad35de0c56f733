#pragma once

namespace game {

// The test-play debug panel shown while F8 is held: the images of the map's image cache and
// the numbers of the running parallel common events, over a darkened screen.
void DrawDebugPanel();

}  // namespace game
