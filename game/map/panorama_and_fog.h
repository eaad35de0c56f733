#pragma once

namespace game {

struct MapState;

// What the map view last set a panorama or fog up for, and where it has scrolled to.
struct ScrollingImageState {
    // The number this state was set up for: -1 none, -2 the file setting.
    int shownNumber = -1;
    // Index of the image in the image cache, -1 none.
    int imageIndex = -1;
    int width = 0;
    int height = 0;
    // Drawing offset in eighths of a pixel, 0 <= scroll < 8 x size.
    int scrollX = 0;
    int scrollY = 0;
    // The automatic scroll so far in eighths of a pixel, kept below 8 x size.
    int driftX = 0;
    int driftY = 0;
};

// The image drawn behind the whole map.
struct PanoramaState : ScrollingImageState {};
// The image blended over the whole map.
struct FogState : ScrollingImageState {};

// A state showing nothing; the interpreter's parallax divisor goes back to 0.
PanoramaState ResetPanorama();
FogState ResetFog();

// Sets the image up for the interpreter's current number: a database entry of type 13 or
// the file setting. A missing image is shown in the error box once and then not drawn.
void ChangePanorama(PanoramaState& state, const MapState& mapState);
void ChangeFog(FogState& state, const MapState& mapState);

// Reads the file setting: a file name, optionally followed by lines with speed x, speed y
// and the parallax divisor.
void ApplyPanoramaFileSetting(PanoramaState& state);
void ApplyFogFileSetting(FogState& state);

// One frame: the drift by the speeds, the parallax with the view and the shakes.
void ScrollPanorama(PanoramaState& state, const MapState& mapState);
void ScrollFog(FogState& state, const MapState& mapState);

// Set up when the number or the file setting changed, then drawn wrapped around its scroll.
void DrawPanorama(PanoramaState& state, const MapState& mapState);
void DrawFog(FogState& state, const MapState& mapState);

}  // namespace game
