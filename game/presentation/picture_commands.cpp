// The picture command's entry points: each walks a range of picture numbers with the list's
// range search and runs one operation on every picture of it.
#include "game/presentation/picture_commands.h"

#include <cstdint>

#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/presentation/picture_list.h"

namespace game {
namespace {

void ResolveZoom(PictureArgs& args, int zoom, int zoomMode) {
    args.zoomX = zoomMode == 1 && zoom != kLeaveValue ? 100 : zoom;
    args.zoomY = zoomMode == 2 && zoom != kLeaveValue ? 100 : zoom;
}

// Runs the operation on every number of the range, making the pictures the list lacks at
// their sorted places. Past the list's limit no more are made; the pictures that exist are
// still reached.
template <typename Operation>
void ShowRange(PictureList& pictureList, int first, int last, Operation operation) {
    std::vector<Picture>& pictures = pictureList.Pictures;
    std::size_t index = pictureList.FindRangeStart(first);
    bool limitReported = false;
    for (std::int64_t number = first; number <= last; ++number) {
        pictureList.Count = static_cast<int>(pictures.size());
        if (index < pictures.size() && pictures[index].Number == number) {
            operation(pictures[index++]);
            continue;
        }
        if (pictures.size() >= PictureList::kMaxPictures) {
            if (!limitReported)
                WriteConsoleLine(FormatText("pictures %lld to %d are not made: the list holds %zu",
                                            static_cast<long long>(number), last,
                                            PictureList::kMaxPictures));
            limitReported = true;
            // The next picture that exists, if any.
            number = index < pictures.size() ? std::int64_t{pictures[index].Number} - 1 : last;
            continue;
        }
        const auto inserted = pictures.emplace(pictures.begin() + static_cast<long>(index), -1);
        inserted->Number = static_cast<int>(number);
        operation(pictures[index++]);
    }
    pictureList.RebuildPictureHints();
}

}  // namespace

void ShowPictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                  int zoomMode, bool window) {
    ResolveZoom(args, zoom, zoomMode);
    const PictureQueueTag tag = window ? PictureQueueTag::kWindowShow : PictureQueueTag::kShow;
    ShowRange(pictureList, first, last,
              [&](Picture& picture) { SetUpPicture(picture, args, tag); });
}

void ShowStringPictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                        int zoomMode) {
    ResolveZoom(args, zoom, zoomMode);
    ShowRange(pictureList, first, last,
              [&](Picture& picture) { ShowStringPicture(picture, args); });
}

void MovePictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                  int zoomMode) {
    ResolveZoom(args, zoom, zoomMode);
    ForEachPictureInRange(pictureList, first, last,
                          [&](Picture& picture) { MovePicture(picture, args); });
}

void ErasePictures(PictureList& pictureList, int first, int last, int duration, int delay,
                   int colour) {
    PictureArgs args;
    args.duration = duration;
    args.delay = delay;
    args.colour = colour;
    ForEachPictureInRange(pictureList, first, last,
                          [&](Picture& picture) { ErasePicture(picture, args); });
}

void CancelDelayedPictureCommands(PictureList& pictureList, int first, int last) {
    ForEachPictureInRange(pictureList, first, last,
                          [](Picture& picture) { picture.QueuedCommands.clear(); });
}

}  // namespace game
