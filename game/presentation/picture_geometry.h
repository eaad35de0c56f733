#pragma once

#include <array>
#include <cstdint>

namespace game {

class Picture;

// The values of a picture's timed effects at this update.
struct PictureEffectValues {
    // Flash and colour change together, per channel: a change of the picture's colour.
    std::array<int, 3> colour{};
    std::int64_t offsetX = 0;
    std::int64_t offsetY = 0;
    // Zoom percent about the centre.
    int zoom = 100;
    int centreX = 0;
    int centreY = 0;
};

PictureEffectValues PictureEffectsNow(const Picture& picture);

// Where a picture is drawn, in game pixels: the box of an image or window picture, or the
// centre of a rotated one; a string picture's place is its text's origin (screen pixels).
struct PicturePlacement {
    bool rotated = false;
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // The transition's zooms in percent, and a rotated picture's one zoom with the effect's.
    int zoomX = 100;
    int zoomY = 100;
    int rotatedZoom = 100;
    int angle = 0;
};

// Works out where the picture is drawn and writes what the drawing leaves in the record:
// the hit rectangle, the wrap offsets of a map-linked picture and a string picture's text
// origin.
PicturePlacement PlacePicture(Picture& picture, const PictureEffectValues& effects);

}  // namespace game
