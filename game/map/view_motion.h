#pragma once

namespace game {

struct MapState;

// The view over the map: its position in quarter pixels, moved by the hero, by scrolls of
// the scroll command, displaced by two shakes and scaled by a timed zoom.

// Move the view by d quarter pixels; on an axis that does not loop it stops at 0 and at the
// map's far edge less one screen.
void ScrollViewLeft(MapState& mapState, int d);
void ScrollViewRight(MapState& mapState, int d);
void ScrollViewUp(MapState& mapState, int d);
void ScrollViewDown(MapState& mapState, int d);

// Scrolls by h and v quarter pixels along a straight path at 2^(speedCode + 1) quarter
// pixels per frame; speed code 8 arrives in one frame.
void StartViewScroll(MapState& mapState, int h, int v, int speedCode);

// Kind 0 shakes the view vertically, kind 1 horizontally, with amplitude 2^a and speed 2^b,
// driven for d + 1 frames; a running shake goes on from where it stands.
void SetViewShake(MapState& mapState, int a, int b, int kind, int d);
void UpdateViewShakes(MapState& mapState);

// Zooms to percent about the centre (pixels) over frames, starting from what the running
// zoom has reached.
void StartViewZoom(MapState& mapState, int centreX, int centreY, int percent, int frames);

// One frame of the scroll, the shakes with their pixel offsets, and the zoom.
void StepViewMotion(MapState& mapState);

}  // namespace game
