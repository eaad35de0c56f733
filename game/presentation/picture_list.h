#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "game/presentation/picture.h"

namespace game {

// The pictures the events show, sorted by number with no two alike, and three search hints
// into the list. Copies carry the records; the images stay in the picture image cache.
class PictureList {
  public:
    // The list holds at most this many pictures: a save counts them in 16 bits.
    static constexpr std::size_t kMaxPictures = 32767;

    // An empty list; with releaseImages the picture image cache is emptied too.
    explicit PictureList(bool releaseImages = false);

    // Empties the list and its hints; with releaseImages every cached picture image and its
    // cells are removed as well.
    void ClearPictureList(bool releaseImages);
    // Count becomes the list length and the hints the numbers at a quarter, a half and three
    // quarters of it; an empty list keeps them.
    void RebuildPictureHints();
    // The index of the first picture numbered first or above, found from the hints.
    std::size_t FindRangeStart(int first) const;
    // The picture of that number, or null.
    Picture* FindPicture(int number);
    // A property of a picture (see Picture::GetPictureValue); a missing picture gives -1,
    // and 0 for property 9 (shown).
    int GetPictureInfo(int number, int property);

    std::vector<Picture> Pictures;
    // The list length as last counted.
    int Count = 0;
    std::array<int, 3> Hints{};
};

extern PictureList ThePictureList;

// Runs the operation on every picture numbered first..last that the list holds, in order.
template <typename Operation>
void ForEachPictureInRange(PictureList& pictureList, int first, int last, Operation operation) {
    std::vector<Picture>& pictures = pictureList.Pictures;
    for (std::size_t index = pictureList.FindRangeStart(first);
         index < pictures.size() && pictures[index].Number <= last; ++index)
        operation(pictures[index]);
}

// The per-frame picture update.
void UpdatePictures(PictureList& pictureList);
// Layer -2 draws pictures -100000 and below, -1 pictures -99999 to -1, 0 pictures 0 to
// 99999 and 1 pictures 100000 and above.
void DrawPictureLayer(PictureList& pictureList, int layer);

}  // namespace game
