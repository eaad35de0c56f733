// Drawing the pictures: each picture in one or two colour passes, the second adding what its
// tint and effects lighten.
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

#include "game/core/display_scale.h"
#include "game/presentation/picture_geometry.h"
#include "game/presentation/picture_layer_calls.h"
#include "game/presentation/picture_list.h"
#include "game/presentation/render_text.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendAdditive = 2;
constexpr double kTenthDegreeToRadians = 3.1415926535 / 1800;

// Picture blend kind 0..4 to the layer's blend mode.
constexpr int kPictureBlendTable[] = {1, 2, 3, 11, 10};

// The nine cells of a window in the order they are drawn, with the edges each one takes:
// 0 the box's left or top, 1 one cell in from it, 2 one cell in from the right or bottom,
// 3 the box's right or bottom.
struct WindowCell {
    int cell, left, top, right, bottom;
};
constexpr WindowCell kWindowCells[] = {
    {0, 0, 0, 1, 1}, {2, 2, 0, 3, 1}, {1, 1, 0, 2, 1}, {3, 0, 1, 1, 2}, {5, 2, 1, 3, 2},
    {4, 1, 1, 2, 2}, {6, 0, 2, 1, 3}, {8, 2, 2, 3, 3}, {7, 1, 2, 2, 3},
};

int LayerOf(int number) {
    if (number <= -100000)
        return -2;
    if (number < 0)
        return -1;
    return number < 100000 ? 0 : 1;
}

int ScreenCoordinate(std::int64_t gamePixels) {
    return ClampToInt(gamePixels * ZoomFactor);
}

using Channels = std::array<int, 3>;

// The first pass darkens by the negative part of effect and tint; the second adds the
// positive part.
Channels FirstPassBright(const Channels& effect, const Channels& tint) {
    Channels bright{};
    for (std::size_t c = 0; c < bright.size(); ++c)
        bright[c] = static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t{255} + effect[c] + tint[c], 0, 255));
    return bright;
}

Channels SecondPassBright(const Channels& effect, const Channels& tint) {
    Channels bright{};
    for (std::size_t c = 0; c < bright.size(); ++c)
        bright[c] =
            static_cast<int>(std::clamp<std::int64_t>(std::int64_t{effect[c]} + tint[c], 0, 255));
    return bright;
}

// Whether effect and tint lighten no channel by 1 or more.
bool NothingToAdd(const Channels& effect, const Channels& tint) {
    for (std::size_t c = 0; c < effect.size(); ++c) {
        if (std::int64_t{effect[c]} + tint[c] >= 1)
            return false;
    }
    return true;
}

// The tint of a moving or erasing picture, between its start and target tints.
Channels TintBetween(const Picture& picture) {
    Channels tint{};
    const double part =
        static_cast<double>(std::max(picture.Remaining, 0)) / std::max(picture.Duration, 1);
    for (std::size_t c = 0; c < tint.size(); ++c)
        tint[c] = ClampToInt(static_cast<std::int64_t>(
            picture.Tint[c] +
            (static_cast<double>(picture.StartTint[c]) - picture.Tint[c]) * part));
    return tint;
}

// Draws what one pass of the picture shows; nothing for a cell it does not have.
class PicturePass {
  public:
    PicturePass(Picture& picture, const PicturePlacement& place, int effectZoom)
        : picture_(picture), place_(place), effectZoom_(effectZoom) {}

    void Draw() const {
        const PictureLayerCalls& layer = ThePictureLayerCalls;
        if (picture_.IsWindowPicture != 0) {
            DrawWindow();
        } else if (picture_.IsStringPicture != 0) {
            RenderText(picture_.Text, 1, effectZoom_ * place_.zoomX * 0.01 / 100,
                       effectZoom_ * place_.zoomY * 0.01 / 100);
        } else if (const std::optional<int> cell = Cell(picture_.Pattern - 1)) {
            if (place_.rotated)
                layer.PaintGraphRotated(ScreenCoordinate(place_.x1), ScreenCoordinate(place_.y1),
                                        place_.rotatedZoom * 0.01 * ZoomFactor,
                                        place_.angle * kTenthDegreeToRadians, *cell,
                                        TransparentDrawFlag, 0);
            else
                layer.PaintGraphStretched(ScreenCoordinate(place_.x1), ScreenCoordinate(place_.y1),
                                          ScreenCoordinate(place_.x2), ScreenCoordinate(place_.y2),
                                          *cell, TransparentDrawFlag);
        }
    }

  private:
    std::optional<int> Cell(std::int64_t index) const {
        if (index < 0 || index >= static_cast<std::int64_t>(picture_.Cells.size()))
            return std::nullopt;
        return picture_.Cells[static_cast<std::size_t>(index)];
    }

    // Corners keep their size; the edges and the centre stretch with the box.
    void DrawWindow() const {
        if (picture_.Cells.size() < std::size(kWindowCells))
            return;
        const std::int64_t xs[] = {place_.x1, place_.x1 + picture_.Width,
                                   place_.x2 - picture_.Width, place_.x2};
        const std::int64_t ys[] = {place_.y1, place_.y1 + picture_.Height,
                                   place_.y2 - picture_.Height, place_.y2};
        for (const WindowCell& cell : kWindowCells)
            ThePictureLayerCalls.PaintGraphStretched(
                ScreenCoordinate(xs[cell.left]), ScreenCoordinate(ys[cell.top]),
                ScreenCoordinate(xs[cell.right]), ScreenCoordinate(ys[cell.bottom]),
                *Cell(cell.cell), TransparentDrawFlag);
    }

    Picture& picture_;
    const PicturePlacement& place_;
    int effectZoom_;
};

void SetBright(const Channels& bright) {
    ThePictureLayerCalls.ChangeBrightRgb(bright[0], bright[1], bright[2]);
}

// The colour passes. The first in the picture's blend mode at `opacity`; the second adds
// the lightening part at `addedOpacity` unless `skipSecond`.
void DrawPasses(const PicturePass& pass, int mode, int opacity, const Channels& first,
                const Channels& second, bool skipSecond, int addedOpacity) {
    const PictureLayerCalls& layer = ThePictureLayerCalls;
    layer.ChangeBlendMode(mode, opacity);
    SetBright(first);
    pass.Draw();
    if (skipSecond)
        return;
    SetBright(second);
    layer.ChangeBlendMode(kBlendAdditive, addedOpacity);
    pass.Draw();
}

void DrawPicture(Picture& picture) {
    if (picture.Erased != 0 || picture.Hidden != 0)
        return;
    if (picture.Duration == 0)
        picture.Duration = 1;
    const PictureEffectValues effects = PictureEffectsNow(picture);
    const PicturePlacement place = PlacePicture(picture, effects);
    if (picture.BlendKind < 0 ||
        picture.BlendKind >= static_cast<int>(std::size(kPictureBlendTable)))
        return;
    const int mode = kPictureBlendTable[picture.BlendKind];
    const PicturePass pass(picture, place, effects.zoom);
    const Channels& effect = effects.colour;
    const int duration = std::max(picture.Duration, 1);
    const int fading =
        ClampToInt(std::int64_t{picture.Opacity} * std::max(picture.Remaining, 0) / duration);
    const int opacityBetween = ClampToInt(static_cast<std::int64_t>(
        picture.Opacity + (static_cast<double>(picture.StartOpacity) - picture.Opacity) *
                              std::max(picture.Remaining, 0) / duration));
    const bool erasing = picture.Erasing != 0;
    if (erasing && picture.IsWindowPicture == 0) {
        const Channels tint = TintBetween(picture);
        const Channels none{};
        DrawPasses(pass, mode, fading, FirstPassBright(effect, tint),
                   SecondPassBright(effect, tint),
                   NothingToAdd(none, picture.Tint) && NothingToAdd(none, picture.StartTint),
                   opacityBetween);
    } else if (!erasing && picture.Remaining < 0) {
        const bool plain = picture.Opacity == 255 && picture.BlendKind == 0;
        if (picture.Opacity != 0)
            DrawPasses(pass, plain ? kBlendNone : mode, plain ? 255 : picture.Opacity,
                       FirstPassBright(effect, picture.Tint),
                       SecondPassBright(effect, picture.Tint), NothingToAdd(effect, picture.Tint),
                       picture.Opacity);
    } else {
        const Channels tint = TintBetween(picture);
        DrawPasses(pass, mode, erasing ? fading : opacityBetween, FirstPassBright(effect, tint),
                   SecondPassBright(effect, tint),
                   NothingToAdd(effect, picture.Tint) && NothingToAdd(effect, picture.StartTint),
                   opacityBetween);
    }
    ThePictureLayerCalls.ChangeBlendMode(kBlendNone, 255);
    ThePictureLayerCalls.ChangeBrightRgb(255, 255, 255);
}

}  // namespace

void DrawPictureLayer(PictureList& pictureList, int layer) {
    for (Picture& picture : pictureList.Pictures) {
        if (LayerOf(picture.Number) == layer)
            DrawPicture(picture);
    }
}

}  // namespace game
