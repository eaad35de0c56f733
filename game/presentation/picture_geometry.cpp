// Where a picture is drawn: its transition between start and target (position, anchor,
// size, zoom), its timed effects, and the map link with scrolling and looping.
#include "game/presentation/picture_geometry.h"

#include <algorithm>
#include <cmath>

#include "game/core/display_scale.h"
#include "game/map/map_state.h"
#include "game/presentation/picture.h"

namespace game {
namespace {

constexpr double kColourStep = 2.55;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kScreenTilesX = 20;
constexpr int kScreenTilesY = 15;

struct Point {
    double x = 0;
    double y = 0;
};

int Length(int duration) {
    return std::max(duration, 1);
}

std::int64_t Truncated(double value) {
    return static_cast<std::int64_t>(value);
}

// The anchor point of a box w x h, from its top left corner.
Point AnchorOffset(int anchor, double width, double height) {
    const AnchorHalves halves = AnchorOffsetHalves(anchor);
    return {width * halves.x / 2, height * halves.y / 2};
}

// A rotated picture is drawn with one zoom: the horizontal one, or the vertical one when the
// horizontal zoom is 100.
int SingleZoom(int zoomX, int zoomY) {
    return zoomX == 100 ? zoomY : zoomX;
}

// The displacement of a shake at its phase; odd counts swing one way, even counts back.
std::int64_t ShakeDisplacement(const Picture& picture, int amplitude) {
    if (picture.ShakeCount <= 0)
        return 0;
    const std::int64_t phase = picture.ShakePhase;
    const std::int64_t half = std::max(picture.ShakeHalfPeriod, 1);
    const std::int64_t swing =
        phase < half ? amplitude * phase / half : amplitude - (phase - half) * amplitude / half;
    return picture.ShakeCount % 2 == 1 ? swing : -swing;
}

double FlashChannel(const Picture& picture, int channel) {
    if (picture.FlashRemaining < 1)
        return 0.0;
    return (channel - 100) * kColourStep * picture.FlashRemaining / Length(picture.FlashDuration);
}

// The size a picture is drawn at before zooms, and the one its transition started from.
struct Sizes {
    int width, height, startWidth, startHeight;
};

Sizes SizesOf(const Picture& picture) {
    if (picture.IsWindowPicture != 0)
        return {picture.SplitX, picture.SplitY, picture.SplitX, picture.SplitY};
    return {picture.Width, picture.Height, picture.PreviousWidth, picture.PreviousHeight};
}

// The top left corner of a box of the size at the zooms, placed by its anchor point.
Point CornerOf(int x, int y, int anchor, double width, double height) {
    const Point offset = AnchorOffset(anchor, width, height);
    return {x - offset.x, y - offset.y};
}

Point Between(Point start, Point target, double part) {
    return {target.x + (start.x - target.x) * part, target.y + (start.y - target.y) * part};
}

// The box of an image, window or string picture; a moving one between its start and target
// boxes. The right and bottom edges gain half a pixel at zoom factor 1.
void PlaceBox(const Picture& picture, bool settled, PicturePlacement& place) {
    const Sizes sizes = SizesOf(picture);
    const double rho = ZoomFactor == 1 ? 0.5 : 0.0;
    Point corner =
        CornerOf(picture.TargetX, picture.TargetY, picture.Anchor,
                 sizes.width * picture.ZoomX / 100.0, sizes.height * picture.ZoomY / 100.0);
    if (!settled) {
        const Point start = CornerOf(picture.StartX, picture.StartY, picture.PreviousAnchor,
                                     sizes.startWidth * picture.StartZoomX / 100.0,
                                     sizes.startHeight * picture.StartZoomY / 100.0);
        corner =
            Between(start, corner,
                    static_cast<double>(std::max(picture.Remaining, 0)) / Length(picture.Duration));
    }
    place.x1 = Truncated(corner.x);
    place.y1 = Truncated(corner.y);
    place.x2 = Truncated(corner.x + sizes.width * place.zoomX / 100.0 + rho);
    place.y2 = Truncated(corner.y + sizes.height * place.zoomY / 100.0 + rho);
}

// The centre of a rotated picture, kept in x1 and y1.
void PlaceCentre(const Picture& picture, bool settled, PicturePlacement& place) {
    const Sizes sizes = SizesOf(picture);
    const auto centre = [](int x, int y, int anchor, double width, double height) {
        const Point corner = CornerOf(x, y, anchor, width, height);
        return Point{corner.x + width / 2, corner.y + height / 2};
    };
    const int zoom = SingleZoom(picture.ZoomX, picture.ZoomY);
    Point at = centre(picture.TargetX, picture.TargetY, picture.Anchor, sizes.width * zoom / 100.0,
                      sizes.height * zoom / 100.0);
    if (!settled) {
        const int startZoom = SingleZoom(picture.StartZoomX, picture.StartZoomY);
        const Point start =
            centre(picture.StartX, picture.StartY, picture.PreviousAnchor,
                   sizes.startWidth * startZoom / 100.0, sizes.startHeight * startZoom / 100.0);
        at =
            Between(start, at,
                    static_cast<double>(std::max(picture.Remaining, 0)) / Length(picture.Duration));
    }
    place.x1 = Truncated(at.x);
    place.y1 = Truncated(at.y);
}

// A map-linked picture follows the scroll; on a looping map one that left the left or top
// edge comes back one map width or height further on.
void FollowMap(Picture& picture, PicturePlacement& place) {
    const MapState& map = TheMapState;
    const std::int64_t scrollX = map.scrollX / 4;
    const std::int64_t scrollY = map.scrollY / 4;
    const auto wrap = [](std::int64_t& low, std::int64_t& high, int& offset, std::int64_t size,
                         std::int64_t limit) {
        if (low >= 0)
            return;
        low += size;
        high += size;
        offset = ClampToInt(offset + size);
        if (low > limit) {
            low -= size;
            high -= size;
            offset = ClampToInt(offset - size);
        }
    };
    place.x1 -= scrollX;
    place.x2 -= scrollX;
    place.y1 -= scrollY;
    place.y2 -= scrollY;
    if (map.loopsHorizontally != 0)
        wrap(place.x1, place.x2, picture.WrapOffsetX, std::int64_t{GetMapWidth()} * TileSize,
             kScreenTilesX * TileSize);
    if (map.loopsVertically != 0)
        wrap(place.y1, place.y2, picture.WrapOffsetY, std::int64_t{GetMapHeight()} * TileSize,
             kScreenTilesY * TileSize);
}

// A string picture wraps by a screen's width or height; the offset it reports is that
// distance in game pixels.
void FollowMapWithText(Picture& picture, std::int64_t& textX, std::int64_t& textY) {
    const MapState& map = TheMapState;
    textX -= std::int64_t{map.scrollX} * ZoomFactor / 4;
    textY -= std::int64_t{map.scrollY} * ZoomFactor / 4;
    const auto wrap = [](std::int64_t& position, int& offset, int screen) {
        if (position < 0) {
            position += screen;
            offset = ClampToInt(offset + std::int64_t{screen} / ZoomFactor);
        } else if (position > screen) {
            position -= screen;
            offset = ClampToInt(offset - std::int64_t{screen} / ZoomFactor);
        }
    };
    if (map.loopsHorizontally != 0)
        wrap(textX, picture.WrapOffsetX, kScreenWidth);
    if (map.loopsVertically != 0)
        wrap(textY, picture.WrapOffsetY, kScreenHeight);
}

std::int64_t Zoomed(std::int64_t value, std::int64_t centre, int zoom) {
    return value + (value - centre) * (zoom - 100) / 100;
}

void PlaceText(Picture& picture, const PictureEffectValues& effects, PicturePlacement& place) {
    std::int64_t textX = place.x1 * ZoomFactor;
    std::int64_t textY = place.y1 * ZoomFactor;
    if (picture.FollowsMap != 0)
        FollowMapWithText(picture, textX, textY);
    textX = Zoomed(textX, std::int64_t{effects.centreX} * ZoomFactor, effects.zoom) +
            effects.offsetX * ZoomFactor;
    textY = Zoomed(textY, std::int64_t{effects.centreY} * ZoomFactor, effects.zoom) +
            effects.offsetY * ZoomFactor;
    picture.Text.OriginX = ClampToInt(textX);
    picture.Text.OriginY = ClampToInt(textY);
    // The box the text is drawn in, at the zooms it is drawn with.
    const std::int64_t width =
        std::int64_t{picture.Width} * ZoomFactor * place.zoomX / 100 * effects.zoom / 100;
    const std::int64_t height =
        std::int64_t{picture.Height} * ZoomFactor * place.zoomY / 100 * effects.zoom / 100;
    picture.HitLeft = ClampToInt(textX / ZoomFactor);
    picture.HitTop = ClampToInt(textY / ZoomFactor);
    picture.HitRight = ClampToInt((width + textX) / ZoomFactor);
    picture.HitBottom = ClampToInt((height + textY) / ZoomFactor);
}

void ApplyEffectsToBox(Picture& picture, const PictureEffectValues& effects,
                       PicturePlacement& place) {
    for (std::int64_t* x : {&place.x1, &place.x2})
        *x = Zoomed(*x, effects.centreX, effects.zoom) + effects.offsetX;
    for (std::int64_t* y : {&place.y1, &place.y2})
        *y = Zoomed(*y, effects.centreY, effects.zoom) + effects.offsetY;
    if (place.rotated) {
        // The zoomed box around the centre.
        const Sizes sizes = SizesOf(picture);
        const std::int64_t width = std::int64_t{sizes.width} * place.rotatedZoom / 100;
        const std::int64_t height = std::int64_t{sizes.height} * place.rotatedZoom / 100;
        picture.HitLeft = ClampToInt(place.x1 - width / 2);
        picture.HitTop = ClampToInt(place.y1 - height / 2);
        picture.HitRight = ClampToInt(place.x1 - width / 2 + width);
        picture.HitBottom = ClampToInt(place.y1 - height / 2 + height);
        return;
    }
    picture.HitLeft = ClampToInt(place.x1);
    picture.HitRight = ClampToInt(place.x2);
    picture.HitTop = ClampToInt(place.y1);
    picture.HitBottom = ClampToInt(place.y2);
}

}  // namespace

PictureEffectValues PictureEffectsNow(const Picture& picture) {
    PictureEffectValues effects;
    const std::array<int, 3> flash = UnpackColour(picture.FlashColour);
    const std::array<int, 3> start = UnpackColour(picture.EffectStartColour);
    const std::array<int, 3> target = UnpackColour(picture.EffectColour);
    for (std::size_t c = 0; c < effects.colour.size(); ++c) {
        const int current = picture.EffectColourRemaining >= 1
                                ? EffectValue(start[c], target[c], picture.EffectColourRemaining,
                                              picture.EffectColourDuration)
                                : target[c];
        effects.colour[c] = ClampToInt(
            Truncated(FlashChannel(picture, flash[c]) + (current - 100.0) * kColourStep));
    }
    effects.offsetX = EffectValue(picture.EffectStartOffsetX, picture.EffectOffsetX,
                                  picture.EffectOffsetRemaining, picture.EffectOffsetDuration) +
                      ShakeDisplacement(picture, picture.ShakeX);
    effects.offsetY = EffectValue(picture.EffectStartOffsetY, picture.EffectOffsetY,
                                  picture.EffectOffsetRemaining, picture.EffectOffsetDuration) +
                      ShakeDisplacement(picture, picture.ShakeY);
    if (picture.EffectZoom == 100 && picture.StartEffectZoom == 100)
        return effects;
    const int remaining = picture.EffectZoomRemaining;
    const int duration = picture.EffectZoomDuration;
    const bool running = remaining > 0;
    effects.zoom =
        running ? EffectValue(picture.StartEffectZoom, picture.EffectZoom, remaining, duration)
                : picture.EffectZoom;
    effects.centreX =
        running ? EffectValue(picture.StartZoomCentreX, picture.ZoomCentreX, remaining, duration)
                : picture.ZoomCentreX;
    effects.centreY =
        running ? EffectValue(picture.StartZoomCentreY, picture.ZoomCentreY, remaining, duration)
                : picture.ZoomCentreY;
    return effects;
}

PicturePlacement PlacePicture(Picture& picture, const PictureEffectValues& effects) {
    const bool settled = picture.Remaining < 0 || picture.Erasing != 0;
    PicturePlacement place;
    place.rotated = picture.IsStringPicture == 0 && picture.IsWindowPicture == 0 &&
                    (picture.Angle != picture.StartAngle || picture.Angle % 3600 != 0);
    place.zoomX = settled ? picture.ZoomX : picture.Interpolated(picture.StartZoomX, picture.ZoomX);
    place.zoomY = settled ? picture.ZoomY : picture.Interpolated(picture.StartZoomY, picture.ZoomY);
    place.angle = settled ? picture.Angle : picture.Interpolated(picture.StartAngle, picture.Angle);
    const int singleZoom =
        settled ? SingleZoom(picture.ZoomX, picture.ZoomY)
                : picture.Interpolated(SingleZoom(picture.StartZoomX, picture.StartZoomY),
                                       SingleZoom(picture.ZoomX, picture.ZoomY));
    place.rotatedZoom = ClampToInt(std::int64_t{effects.zoom} * singleZoom / 100);
    if (place.rotated)
        PlaceCentre(picture, settled, place);
    else
        PlaceBox(picture, settled, place);
    if (picture.FollowsMap != 0) {
        picture.WrapOffsetX = 0;
        picture.WrapOffsetY = 0;
    }
    if (picture.IsStringPicture != 0) {
        PlaceText(picture, effects, place);
        return place;
    }
    if (picture.FollowsMap != 0)
        FollowMap(picture, place);
    ApplyEffectsToBox(picture, effects, place);
    return place;
}

}  // namespace game
