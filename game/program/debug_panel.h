#pragma once

namespace game {

// The test-play debug panel shown while F8 is held, over a darkened screen: the counts of
// pictures, picture images and sounds, the loaded picture images and sounds, the images of the
// map's image cache, the numbers of the pictures and of the running parallel common events.
void DrawDebugPanel();

}  // namespace game
