// The per-update step of the pictures and the start of their timed effects.
#include "game/presentation/picture_update.h"

#include <algorithm>
#include <iterator>

#include "game/core/play_settings.h"
#include "game/presentation/picture_commands.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"

namespace game {
namespace {

// An effect colour channel lies between 0 and 200, 100 neutral.
int EffectChannel(int change) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{change} + 100, 0, 200));
}

int EffectColourOf(int red, int green, int blue) {
    return PackColour({EffectChannel(red), EffectChannel(green), EffectChannel(blue)});
}

// What a queued command runs, by its tag.
using QueuedOperation = void (*)(Picture& picture, const PictureArgs& args);
constexpr QueuedOperation kQueuedOperations[] = {
    [](Picture& picture, const PictureArgs& args) {
        SetUpPicture(picture, args, PictureQueueTag::kShow);
    },
    ShowStringPicture,
    MovePicture,
    ErasePicture,
    [](Picture& picture, const PictureArgs& args) {
        SetUpPicture(picture, args, PictureQueueTag::kWindowShow);
    },
};

// The due commands run in queue order; the others count their delay down.
void RunDueCommands(Picture& picture) {
    auto& queue = picture.QueuedCommands;
    for (std::size_t k = 0; k < queue.size();) {
        int& delay = queue[k].args.delay;
        if (delay > 0) {
            delay -= FramesPerUpdate;
            ++k;
            continue;
        }
        const QueuedPictureCommand command = queue[k];
        queue.erase(queue.begin() + static_cast<long>(k));
        kQueuedOperations[static_cast<int>(command.tag)](picture, command.args);
    }
}

void CountDownEffects(Picture& picture) {
    for (int* remaining : {&picture.FlashRemaining, &picture.EffectColourRemaining,
                           &picture.EffectOffsetRemaining}) {
        if (*remaining > 0)
            --*remaining;
    }
    if (picture.ShakeCount > 0 && --picture.ShakePhase < 1) {
        --picture.ShakeCount;
        picture.ShakePhase = ClampToInt(2 * std::int64_t{std::max(picture.ShakeHalfPeriod, 1)});
    }
    if (picture.EffectZoomRemaining > 0 && --picture.EffectZoomRemaining < 1)
        picture.StartEffectZoom = picture.EffectZoom;
}

void StartFlash(Picture& picture, int a, int b, int c, int d) {
    picture.FlashColour = EffectColourOf(a, b, c);
    picture.FlashDuration = d;
    picture.FlashRemaining = d;
}

void StartColourChange(Picture& picture, int a, int b, int c, int d) {
    const std::array<int, 3> start = UnpackColour(picture.EffectStartColour);
    const std::array<int, 3> target = UnpackColour(picture.EffectColour);
    std::array<int, 3> current{};
    for (std::size_t channel = 0; channel < current.size(); ++channel)
        current[channel] = EffectValue(start[channel], target[channel],
                                       picture.EffectColourRemaining, picture.EffectColourDuration);
    picture.EffectStartColour = PackColour(current);
    picture.EffectColour = EffectColourOf(a, b, c);
    picture.EffectColourDuration = d;
    picture.EffectColourRemaining = d;
}

void StartOffset(Picture& picture, int a, int b, int, int d) {
    const int remaining = picture.EffectOffsetRemaining;
    const int duration = picture.EffectOffsetDuration;
    picture.EffectStartOffsetX =
        EffectValue(picture.EffectStartOffsetX, picture.EffectOffsetX, remaining, duration);
    picture.EffectStartOffsetY =
        EffectValue(picture.EffectStartOffsetY, picture.EffectOffsetY, remaining, duration);
    picture.EffectOffsetX = a;
    picture.EffectOffsetY = b;
    picture.EffectOffsetDuration = d;
    picture.EffectOffsetRemaining = d;
}

void StartShake(Picture& picture, int a, int b, int c, int d) {
    picture.ShakeX = a;
    picture.ShakeY = b;
    picture.ShakeCount = c;
    picture.ShakeHalfPeriod = d;
    picture.ShakePhase = ClampToInt(2 * std::int64_t{std::max(d, 1)});
}

// From no zoom the centre jumps to the new one; a running zoom moves its centre on.
void StartZoom(Picture& picture, int a, int b, int c, int d) {
    const int remaining = picture.EffectZoomRemaining;
    const int duration = picture.EffectZoomDuration;
    picture.StartEffectZoom =
        EffectValue(picture.StartEffectZoom, picture.EffectZoom, remaining, duration);
    if (picture.StartEffectZoom == 100) {
        picture.StartZoomCentreX = a;
        picture.StartZoomCentreY = b;
    } else {
        picture.StartZoomCentreX =
            EffectValue(picture.StartZoomCentreX, picture.ZoomCentreX, remaining, duration);
        picture.StartZoomCentreY =
            EffectValue(picture.StartZoomCentreY, picture.ZoomCentreY, remaining, duration);
    }
    picture.ZoomCentreX = a;
    picture.ZoomCentreY = b;
    picture.EffectZoom = c;
    picture.EffectZoomDuration = d;
    picture.EffectZoomRemaining = d;
}

using EffectStarter = void (*)(Picture& picture, int a, int b, int c, int d);
constexpr EffectStarter kEffectStarters[] = {StartFlash, StartColourChange, StartOffset, StartShake,
                                             StartZoom};

}  // namespace

void UpdatePictures(PictureList& pictureList) {
    std::vector<Picture>& pictures = pictureList.Pictures;
    for (std::size_t i = 0; i < pictures.size();) {
        RunPictureQueue(pictures[i]);
        if (pictures[i].Erased != 0 && pictures[i].QueuedCommands.empty())
            pictures.erase(pictures.begin() + static_cast<long>(i));
        else
            ++i;
    }
    pictureList.Count = static_cast<int>(pictures.size());
    pictureList.RebuildPictureHints();
}

void RunPictureQueue(Picture& picture) {
    RunDueCommands(picture);
    if (picture.IsStringPicture != 0)
        picture.Text.AdvanceText();
    if (picture.Erasing != 0) {
        picture.Remaining = ClampToInt(std::int64_t{picture.Remaining} - FramesPerUpdate);
        if (picture.Remaining <= 0)
            FinishPictureErase(picture);
        return;
    }
    CountDownEffects(picture);
    picture.TickPictureTimer();
}

void FinishPictureErase(Picture& picture) {
    ReleasePictureImage(picture.ImageName, false, picture.Number);
    picture.Erased = 1;
    picture.Hidden = 1;
}

void ApplyPictureEffect(PictureList& pictureList, int first, int last, int kind, int a, int b,
                        int c, int d) {
    ForEachPictureInRange(pictureList, first, last,
                          [&](Picture& picture) { StartPictureEffect(picture, kind, a, b, c, d); });
}

void StartPictureEffect(Picture& picture, int kind, int a, int b, int c, int d) {
    if (kind >= 0 && kind < static_cast<int>(std::size(kEffectStarters)))
        kEffectStarters[kind](picture, a, b, c, d);
}

}  // namespace game
