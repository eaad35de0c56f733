#include "game/core/display_scale.h"

namespace game {

int TileSize = 32;
int ZoomFactor = 1;
int TransparentDrawFlag = 1;

}  // namespace game
