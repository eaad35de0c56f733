#pragma once

namespace game {

class Picture;
class PictureList;

// One update of a picture: its delayed commands that are due, its text, its erase fade, its
// timed effects and its transition timer.
void RunPictureQueue(Picture& picture);
// The end of an erase fade: the image is released and the picture is gone.
void FinishPictureErase(Picture& picture);

// Starts a timed effect on every picture numbered first..last: kind 0 flash (colour a, b, c
// from -100 to 100, d updates), 1 colour (the same), 2 offset (a, b pixels over d updates),
// 3 shake (amplitudes a, b, c half swings of d updates each), 4 zoom (centre a, b, c
// percent over d updates). Any other kind does nothing.
void ApplyPictureEffect(PictureList& pictureList, int first, int last, int kind, int a, int b,
                        int c, int d);
void StartPictureEffect(Picture& picture, int kind, int a, int b, int c, int d);

}  // namespace game
