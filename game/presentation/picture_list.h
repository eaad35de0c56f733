#pragma once

namespace game {

// The pictures the events show, numbered; drawn in two layers around the windows.
class PictureList {
  public:
    // releaseFlag 0: the list does not release the images of its pictures when destroyed.
    explicit PictureList(int releaseFlag = 0) : releaseFlag(releaseFlag) {}

    int releaseFlag = 0;
};

extern PictureList ThePictureList;

// The per-frame picture update.
void UpdatePictures(PictureList& pictureList);
// Layer 0 draws pictures 0 to 99999, layer 1 pictures 100000 and above.
void DrawPictureLayer(PictureList& pictureList, int layer);

// One property of picture `number`: -1 for a picture not in the list (property 9, whether it
// is shown, 0).
int GetPictureInfo(const PictureList& pictureList, int number, int property);
// Starts a timed effect of kind 0 to 4 (flash, colour, offset, shake, zoom) on every picture
// from first to last.
void ApplyPictureEffect(PictureList& pictureList, int first, int last, int kind, int a, int b,
                        int c, int duration);

}  // namespace game
