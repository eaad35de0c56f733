#pragma once

namespace game {

// Tile size in pixels (32 or 16) and the zoom that makes 16-pixel games fill 640 x 480;
// set at start-up from the game's flags.
extern int TileSize;
extern int ZoomFactor;
// Always 1: graphs are drawn with their transparent colour.
extern int TransparentDrawFlag;

}  // namespace game
