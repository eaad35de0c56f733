#pragma once

namespace layer {

// The start-up's first draws: a draw-target graph and two black pictures go through the draw
// paths once, and the front screen ends up black and selected.
void DrawFirstFrames();

}  // namespace layer
