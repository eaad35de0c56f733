#pragma once

#include <string>

#include "game/presentation/picture.h"

namespace game {

class PictureList;

// The picture command's five entry points, each over the pictures numbered first..last.
// The shows make the numbers the list lacks; move, erase and cancel act on the pictures
// that exist. zoom with zoomMode 1 zooms the height only, 2 the width only, any other both;
// kLeaveValue leaves both zooms. args.zoomX and args.zoomY are not read.
void ShowPictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                  int zoomMode, bool window);
void ShowStringPictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                        int zoomMode);
void MovePictures(PictureList& pictureList, int first, int last, PictureArgs args, int zoom,
                  int zoomMode);
void ErasePictures(PictureList& pictureList, int first, int last, int duration, int delay,
                   int colour);
void CancelDelayedPictureCommands(PictureList& pictureList, int first, int last);

// The operations on one picture. With a delay of 1 or more each only queues itself.
// SetUpPicture shows an image (tag kShow) or a nine-cell window (kWindowShow).
void SetUpPicture(Picture& picture, const PictureArgs& args, PictureQueueTag tag);
void ShowStringPicture(Picture& picture, const PictureArgs& args);
void MovePicture(Picture& picture, const PictureArgs& args);
void ErasePicture(Picture& picture, const PictureArgs& args);

// The tint of a packed colour: (channel - 100) * 2.55 per channel, truncated toward zero.
std::array<int, 3> TintOfColour(int colour);

}  // namespace game
