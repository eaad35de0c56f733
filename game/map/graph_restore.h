#pragma once

namespace game {

// The game's handler for a display that lost its graphs: from the game folder, the layer's
// own graphs, the windows' graphics, the cached map images and the icons are loaded again.
void RestoreGraphics(int);

}  // namespace game
