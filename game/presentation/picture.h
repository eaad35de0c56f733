#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/presentation/text_state.h"

namespace game {

// An argument value that leaves the picture's pattern, opacity, zoom or angle as it is.
inline constexpr int kLeaveValue = -1000000;
// A blend-kind argument that leaves the blend kind as it is.
inline constexpr int kLeaveBlendKind = 15;
// Bit 24 of a packed colour argument leaves the colour as it is.
inline constexpr int kLeaveColourBit = 0x1000000;
// The neutral packed colour: every channel 100.
inline constexpr int kNeutralColour = 0x646464;
// A window picture's image is split into 3 x 3 cells.
inline constexpr int kWindowPictureCells = 3;

// The arguments of one picture operation on one picture; each operation reads its own.
struct PictureArgs {
    // The image file name, or the text of a string picture.
    std::string text;
    // Columns and rows of the image split; a window picture's width and height in pixels.
    int splitX = 1;
    int splitY = 1;
    int x = 0;
    int y = 0;
    int pattern = 1;
    int opacity = 255;
    // Show: the blend kind in bits 0-3 and the map link in bit 8; move: the blend kind.
    int flags = 0;
    int duration = 0;
    int zoomX = 100;
    int zoomY = 100;
    int angle = 0;
    int anchor = 0;
    int colour = kNeutralColour;
    int delay = 0;
    // x and y are displacements from the picture's current start position.
    bool relative = false;
};

// What a delayed operation does when its delay has run out.
enum class PictureQueueTag { kShow = 0, kStringShow = 1, kMove = 2, kErase = 3, kWindowShow = 4 };

struct QueuedPictureCommand {
    PictureQueueTag tag = PictureQueueTag::kShow;
    PictureArgs args;
};

// One numbered picture: an image cell, a nine-cell window or a laid-out text, with the
// transition from its start values to its targets and its timed effects. A plain value:
// the graph handles belong to the picture image cache.
class Picture {
  public:
    explicit Picture(int number = -1);

    // Every field back to its default, the number -1 and the queue emptied.
    void ResetPicture();
    // Remaining falls by FramesPerUpdate, never below -1.
    void TickPictureTimer();
    // A value of the transition from start to target at the current Remaining.
    int Interpolated(int start, int target) const;
    // The property the picture query reads (0 x, 1 y, 2 width, ... 10 text shown).
    int GetPictureValue(int property) const;

    int ImageHandle = 0;
    int PreviousImageHandle = 0;
    TextState Text{0, 0};
    std::vector<int> Cells;
    std::string PreviousImageName;
    std::string ImageName;
    int TargetX = 0, StartX = 0;
    int TargetY = 0, StartY = 0;
    int Pattern = 1, StartPattern = 1;
    int Opacity = 0, StartOpacity = 0;
    int BlendKind = 0, StartBlendKind = 0;
    int Remaining = 0;
    int Duration = 0;
    int Angle = 0, StartAngle = 0;
    int Width = 0, PreviousWidth = 0;
    int Height = 0, PreviousHeight = 0;
    int ZoomX = 100, StartZoomX = 100;
    int ZoomY = 100, StartZoomY = 100;
    std::array<int, 3> Tint{};
    std::array<int, 3> StartTint{};
    int WrapOffsetX = 0, WrapOffsetY = 0;
    // The delayed operations waiting to run, oldest first.
    std::vector<QueuedPictureCommand> QueuedCommands;
    std::uint8_t IsStringPicture = 0;
    std::uint8_t IsWindowPicture = 0;
    std::uint8_t FollowsMap = 0;
    // 0 top left, 1 centre, 2 bottom left, 3 top right, 4 bottom right.
    std::int16_t Anchor = 0;
    std::int16_t PreviousAnchor = 0;
    int Number = -1;
    int SplitX = 1, SplitY = 1;
    std::uint8_t Erasing = 0;
    std::uint8_t Erased = 0;
    std::uint8_t Hidden = 1;
    int HitLeft = -100, HitRight = -100, HitTop = -100, HitBottom = -100;
    int FlashColour = 0, FlashDuration = 0, FlashRemaining = 0;
    int EffectColour = kNeutralColour, EffectStartColour = kNeutralColour;
    int EffectColourDuration = 0, EffectColourRemaining = 0;
    int EffectOffsetX = 0, EffectStartOffsetX = 0, EffectOffsetY = 0, EffectStartOffsetY = 0;
    int EffectOffsetDuration = 0, EffectOffsetRemaining = 0;
    int ShakeX = 0, ShakeY = 0;
    int ShakeCount = 0, ShakeHalfPeriod = 0, ShakePhase = 0;
    int ZoomCentreX = 0, StartZoomCentreX = 0, ZoomCentreY = 0, StartZoomCentreY = 0;
    int EffectZoom = 100, StartEffectZoom = 100;
    int EffectZoomDuration = 0, EffectZoomRemaining = 0;
};

// target + (start - target) * remaining / duration, the product first, truncated toward
// zero; remaining below 0 counts as 0 and a duration below 1 as 1.
int InterpolatePictureValue(int start, int target, int remaining, int duration);

// A value of a timed effect: target - (target - start) * remaining / duration, with a
// duration below 1 taken as 1.
int EffectValue(int start, int target, int remaining, int duration);

// How far the anchor point lies from the top left corner, in halves of the width and the
// height: 0 top left, 1 centre, 2 bottom left, 3 top right, 4 bottom right; any other
// anchor is the top left.
struct AnchorHalves {
    int x = 0;
    int y = 0;
};
AnchorHalves AnchorOffsetHalves(int anchor);

// A 64-bit result cut to the int range.
int ClampToInt(std::int64_t value);

// The three channels of a packed colour (red, green, blue), each by truncating division.
std::array<int, 3> UnpackColour(int colour);
int PackColour(const std::array<int, 3>& channels);

}  // namespace game
