#include "game/presentation/picture.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "game/core/input_state.h"
#include "game/core/play_settings.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr int kNoValue = -1;
constexpr int kFullZoom = 100;

bool MouseInside(const Picture& picture) {
    const InputState& input = TheInputState;
    return picture.HitLeft <= input.mouseX && input.mouseX <= picture.HitRight &&
           picture.HitTop <= input.mouseY && input.mouseY <= picture.HitBottom;
}

// A position as the query reports it: with the wrap correction of the last drawing, and on
// the screen for a picture that follows the map.
int ReportedPosition(const Picture& picture, int start, int target, int wrapOffset, int scroll) {
    const std::int64_t scrolled = picture.FollowsMap != 0 ? scroll / 4 : 0;
    return ClampToInt(std::int64_t{picture.Interpolated(start, target)} + wrapOffset - scrolled);
}

int WindowExtent(const Picture& picture, int split, int zoom, int size) {
    if (picture.IsWindowPicture == 0)
        return size;
    return ClampToInt(std::int64_t{split} * zoom / 100);
}

using PictureProperty = std::function<int(const Picture&)>;

const PictureProperty kPictureProperties[] = {
    [](const Picture& p) {
        return ReportedPosition(p, p.StartX, p.TargetX, p.WrapOffsetX, TheMapState.scrollX);
    },
    [](const Picture& p) {
        return ReportedPosition(p, p.StartY, p.TargetY, p.WrapOffsetY, TheMapState.scrollY);
    },
    [](const Picture& p) { return WindowExtent(p, p.SplitX, p.ZoomX, p.Width); },
    [](const Picture& p) { return WindowExtent(p, p.SplitY, p.ZoomY, p.Height); },
    [](const Picture& p) { return p.Pattern; },
    [](const Picture& p) { return p.Interpolated(p.StartOpacity, p.Opacity); },
    [](const Picture& p) { return p.Interpolated(p.StartAngle, p.Angle); },
    [](const Picture& p) {
        const int zoomX = p.Interpolated(p.StartZoomX, p.ZoomX);
        return zoomX == kFullZoom ? p.Interpolated(p.StartZoomY, p.ZoomY) : zoomX;
    },
    [](const Picture& p) { return MouseInside(p) ? 1 : 0; },
    [](const Picture& p) { return p.Erased != 0 ? 0 : 1; },
    [](const Picture& p) {
        if (p.IsStringPicture == 0)
            return kNoValue;
        return p.Text.IsTextShown() ? 1 : 0;
    },
};

}  // namespace

Picture::Picture(int number) : Number(number) {}

void Picture::ResetPicture() {
    *this = Picture();
}

void Picture::TickPictureTimer() {
    Remaining = std::max(-1, ClampToInt(std::int64_t{Remaining} - FramesPerUpdate));
}

int Picture::Interpolated(int start, int target) const {
    return InterpolatePictureValue(start, target, Remaining, Duration);
}

int Picture::GetPictureValue(int property) const {
    if (property < 0 || property >= static_cast<int>(std::size(kPictureProperties)))
        return kNoValue;
    return kPictureProperties[property](*this);
}

int InterpolatePictureValue(int start, int target, int remaining, int duration) {
    const std::int64_t left = std::max(remaining, 0);
    const std::int64_t length = std::max(duration, 1);
    return ClampToInt(target + (std::int64_t{start} - target) * left / length);
}

int EffectValue(int start, int target, int remaining, int duration) {
    const std::int64_t length = std::max(duration, 1);
    return ClampToInt(target - (std::int64_t{target} - start) * remaining / length);
}

AnchorHalves AnchorOffsetHalves(int anchor) {
    constexpr AnchorHalves kAnchors[] = {{0, 0}, {1, 1}, {0, 2}, {2, 0}, {2, 2}};
    if (anchor < 0 || anchor >= static_cast<int>(std::size(kAnchors)))
        return {};
    return kAnchors[anchor];
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

std::array<int, 3> UnpackColour(int colour) {
    return {colour / 65536, colour % 65536 / 256, colour % 256};
}

int PackColour(const std::array<int, 3>& channels) {
    return ClampToInt(std::int64_t{channels[0]} * 65536 + std::int64_t{channels[1]} * 256 +
                      channels[2]);
}

}  // namespace game
