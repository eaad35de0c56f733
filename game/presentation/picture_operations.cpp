// The picture operations on one picture: show an image or a window, show a text, move and
// erase. Each starts a transition from where the picture is now to the values it is given.
#include <algorithm>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/play_settings.h"
#include "game/core/processing_point.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_operations_texts.h"

namespace game {
namespace {

constexpr int kBlendKindBits = 0xF;
constexpr int kMapLinkBit = 0x100;

bool Given(int value) {
    return value != kLeaveValue;
}

bool ColourGiven(int colour) {
    return (colour & kLeaveColourBit) == 0;
}

// The map link of a show: a linked picture's position is taken in map pixels. Returns the
// flags cut to the blend kind.
int ApplyMapLink(Picture& picture, const PictureArgs& args, int& x, int& y) {
    const std::int64_t scrollX = TheMapState.scrollX / 4;
    const std::int64_t scrollY = TheMapState.scrollY / 4;
    if ((args.flags & kMapLinkBit) != 0) {
        if (!(args.relative && picture.FollowsMap != 0)) {
            x = ClampToInt(x + scrollX);
            y = ClampToInt(y + scrollY);
        }
        picture.FollowsMap = 1;
    } else if (picture.FollowsMap != 0) {
        picture.FollowsMap = 0;
        if (args.relative) {
            x = ClampToInt(x - scrollX);
            y = ClampToInt(y - scrollY);
        }
    }
    return args.flags & kBlendKindBits;
}

void StartFromTargets(Picture& picture) {
    picture.StartX = picture.TargetX;
    picture.StartY = picture.TargetY;
    picture.StartPattern = picture.Pattern;
    picture.StartOpacity = picture.Opacity;
    picture.StartBlendKind = picture.BlendKind;
    picture.StartZoomX = picture.ZoomX;
    picture.StartZoomY = picture.ZoomY;
    picture.StartAngle = picture.Angle;
    picture.StartTint = picture.Tint;
}

// A running transition's values where it stands become the start of the new one.
void StartFromCurrentValues(Picture& picture) {
    picture.StartX = picture.Interpolated(picture.StartX, picture.TargetX);
    picture.StartY = picture.Interpolated(picture.StartY, picture.TargetY);
    picture.StartZoomX = picture.Interpolated(picture.StartZoomX, picture.ZoomX);
    picture.StartZoomY = picture.Interpolated(picture.StartZoomY, picture.ZoomY);
    for (std::size_t c = 0; c < picture.Tint.size(); ++c)
        picture.StartTint[c] = picture.Interpolated(picture.StartTint[c], picture.Tint[c]);
}

// A show's start angle is the running one taken in floating point.
int CurrentAngleOfShow(const Picture& picture) {
    const double turn = static_cast<double>(picture.StartAngle - std::int64_t{picture.Angle}) *
                        picture.Remaining / std::max(picture.Duration, 1);
    return ClampToInt(picture.Angle + static_cast<std::int64_t>(turn));
}

// The targets take what the arguments give; x and y are positions, or displacements from
// the start position with the relative flag.
void TakeTargets(Picture& picture, const PictureArgs& args, int x, int y, int blendKind) {
    picture.TargetX = args.relative ? ClampToInt(std::int64_t{picture.StartX} + x) : x;
    picture.TargetY = args.relative ? ClampToInt(std::int64_t{picture.StartY} + y) : y;
    if (Given(args.pattern))
        picture.Pattern = args.pattern;
    if (Given(args.opacity))
        picture.Opacity = args.opacity;
    if (blendKind != kLeaveBlendKind)
        picture.BlendKind = blendKind;
    if (Given(args.zoomX) && Given(args.zoomY)) {
        picture.ZoomX = args.zoomX;
        picture.ZoomY = args.zoomY;
    }
    if (Given(args.angle))
        picture.Angle = args.angle;
    if (ColourGiven(args.colour))
        picture.Tint = TintOfColour(args.colour);
}

// A picture without an image before starts from the values it is given, at opacity 0.
// An argument that leaves a value starts from the target it left.
void StartFromArguments(Picture& picture, const PictureArgs& args, int x, int y) {
    picture.StartX = x;
    picture.StartY = y;
    picture.StartPattern = picture.Pattern;
    picture.StartOpacity = 0;
    picture.StartBlendKind = picture.BlendKind;
    picture.StartZoomX = picture.ZoomX;
    picture.StartZoomY = picture.ZoomY;
    picture.StartAngle = picture.Angle;
    if (ColourGiven(args.colour))
        picture.StartTint = picture.Tint;
}

// The start position moves from the point the old anchor named to the one the new anchor
// names, on the new image's size and the start zooms.
void MoveStartToAnchor(Picture& picture, int newAnchor) {
    const AnchorHalves from = AnchorOffsetHalves(picture.PreviousAnchor);
    const AnchorHalves to = AnchorOffsetHalves(newAnchor);
    std::int64_t fx = std::int64_t{picture.Width} * from.x / 2 - picture.Width * to.x / 2;
    std::int64_t fy = std::int64_t{picture.Height} * from.y / 2 - picture.Height * to.y / 2;
    fx *= picture.StartZoomX / 100;
    fy *= picture.StartZoomY / 100;
    picture.StartX = ClampToInt(picture.StartX - fx);
    picture.StartY = ClampToInt(picture.StartY - fy);
}

// An image picture asked for a cell beyond its image is reported; the transition then does
// not start.
bool PatternTooLarge(const Picture& picture) {
    const auto cells = static_cast<std::int64_t>(picture.Cells.size());
    if (picture.IsStringPicture != 0 || picture.IsWindowPicture != 0 || cells < 1 ||
        cells >= picture.Pattern)
        return false;
    ShowErrorBox(
        FormatText(kPicturePatternFormat, picture.Number, picture.Pattern, static_cast<int>(cells)),
        kPicturePatternNote, GetProcessingPointText());
    return true;
}

void StartTransition(Picture& picture, int duration) {
    picture.Remaining = duration;
    picture.Duration = duration;
}

}  // namespace

void SetUpPicture(Picture& picture, const PictureArgs& args, PictureQueueTag tag) {
    if (args.delay >= 1) {
        picture.QueuedCommands.push_back({tag, args});
        return;
    }
    const bool window = tag == PictureQueueTag::kWindowShow;
    picture.Hidden = 0;
    picture.Erasing = 0;
    picture.Erased = 0;
    picture.IsStringPicture = 0;
    picture.IsWindowPicture = window ? 1 : 0;
    int splitX = args.splitX;
    int splitY = args.splitY;
    if (!window && (splitX <= 0 || splitY <= 0)) {
        if (TestPlayMode != 0)
            ShowErrorBox(FormatText(kPictureSplitBelowOneFormat, picture.Number, splitX, splitY),
                         kPictureSplitBelowOneNote, GetProcessingPointText());
        splitX = std::max(splitX, 1);
        splitY = std::max(splitY, 1);
    }
    int x = args.x;
    int y = args.y;
    const int blendKind = ApplyMapLink(picture, args, x, y);
    picture.PreviousImageHandle = picture.ImageHandle;
    const int cellsX = window ? kWindowPictureCells : splitX;
    const int cellsY = window ? kWindowPictureCells : splitY;
    if (!PictureControl(picture, args.text, cellsX, cellsY)) {
        picture.Erased = 1;
        return;
    }
    if (window) {
        picture.SplitX = splitX;
        picture.SplitY = splitY;
    }
    if (args.text != picture.ImageName) {
        ReleasePictureImage(picture.PreviousImageName, false, picture.Number);
        picture.ImageName = args.text;
        picture.PreviousImageName = picture.ImageName;
    }
    picture.TickPictureTimer();
    if (picture.Remaining > 0) {
        StartFromCurrentValues(picture);
        picture.StartAngle = CurrentAngleOfShow(picture);
    } else {
        StartFromTargets(picture);
    }
    picture.PreviousAnchor = picture.Anchor;
    TakeTargets(picture, args, x, y, blendKind);
    if (picture.PreviousImageHandle != 0)
        MoveStartToAnchor(picture, args.anchor);
    picture.Anchor = static_cast<std::int16_t>(args.anchor);
    if (picture.PreviousImageHandle == 0)
        StartFromArguments(picture, args, x, y);
    picture.PreviousAnchor = picture.Anchor;
    picture.PreviousWidth = picture.Width;
    picture.PreviousHeight = picture.Height;
    if (PatternTooLarge(picture))
        return;
    picture.WrapOffsetX = 0;
    picture.WrapOffsetY = 0;
    StartTransition(picture, args.duration);
}

void ShowStringPicture(Picture& picture, const PictureArgs& args) {
    if (args.delay >= 1) {
        picture.QueuedCommands.push_back({PictureQueueTag::kStringShow, args});
        return;
    }
    picture.Hidden = 0;
    picture.Erasing = 0;
    picture.Erased = 0;
    picture.IsWindowPicture = 0;
    picture.IsStringPicture = 1;
    int x = args.x;
    int y = args.y;
    const int blendKind = ApplyMapLink(picture, args, x, y);
    picture.Text.SourceText = args.text;
    picture.Text.LaidOutText.clear();
    picture.Text.ShowAtOnce = 0;
    ReleasePictureImage(picture.PreviousImageName, false, picture.Number);
    picture.PreviousImageName.clear();
    picture.ImageName.clear();
    picture.ImageHandle = 0;
    picture.PreviousImageHandle = 0;
    picture.TickPictureTimer();
    if (picture.Remaining > 0)
        StartFromCurrentValues(picture);
    else
        StartFromTargets(picture);
    TakeTargets(picture, args, x, y, blendKind);
    picture.Anchor = static_cast<std::int16_t>(args.anchor);
    StartFromArguments(picture, args, x, y);
    picture.PreviousAnchor = picture.Anchor;
    picture.Text.OriginX = picture.StartX;
    picture.Text.OriginY = picture.StartY;
    StartTransition(picture, args.duration);
    picture.Text.Speed = static_cast<double>(TheMainInterpreter.StringPictureSpeed);
    picture.Text.MeasureText(picture.Width, picture.Height);
    picture.PreviousWidth = picture.Width;
    picture.PreviousHeight = picture.Height;
    picture.WrapOffsetX = 0;
    picture.WrapOffsetY = 0;
}

void MovePicture(Picture& picture, const PictureArgs& args) {
    if (args.delay >= 1) {
        picture.QueuedCommands.push_back({PictureQueueTag::kMove, args});
        return;
    }
    picture.TickPictureTimer();
    if (picture.Remaining > 0) {
        StartFromCurrentValues(picture);
        picture.StartAngle = picture.Interpolated(picture.StartAngle, picture.Angle);
        picture.StartOpacity = picture.Interpolated(picture.StartOpacity, picture.Opacity);
    } else {
        StartFromTargets(picture);
    }
    picture.PreviousAnchor = picture.Anchor;
    TakeTargets(picture, args, args.x, args.y, args.flags);
    if (picture.IsStringPicture != 0) {
        picture.PreviousWidth = picture.Width;
        picture.PreviousHeight = picture.Height;
        picture.Text.MeasureText(picture.Width, picture.Height);
    }
    if (PatternTooLarge(picture))
        return;
    StartTransition(picture, args.duration);
}

void ErasePicture(Picture& picture, const PictureArgs& args) {
    if (args.delay >= 1) {
        picture.QueuedCommands.push_back({PictureQueueTag::kErase, args});
        return;
    }
    if (picture.Erasing != 0)
        return;
    StartTransition(picture, args.duration);
    picture.StartTint = picture.Tint;
    if (ColourGiven(args.colour))
        picture.Tint = TintOfColour(args.colour);
    picture.Erasing = 1;
}

std::array<int, 3> TintOfColour(int colour) {
    std::array<int, 3> tint{};
    const std::array<int, 3> channels = UnpackColour(colour);
    for (std::size_t c = 0; c < tint.size(); ++c)
        tint[c] = static_cast<int>((channels[c] - 100) * 2.55);
    return tint;
}

}  // namespace game
